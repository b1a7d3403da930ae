// The Main Locations and Category Search dialogs' decisions.
#include "ui/ViewDialogs.h"

#include "model/MainListFile.h"

namespace cl {

void ShowMainByLocation(MainList& list, std::string_view location) {
    list.Show(View::AtLocation(location.substr(0, kMainLocationMax)));
}

void ShowMainByCategory(MainList& list, std::string_view category) {
    list.Show(View::OfCategory(category.substr(0, kMainCategoryMax)));
}

}  // namespace cl
