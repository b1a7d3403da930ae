// The Main Locations and Category Search dialogs' decisions.
#include "ui/ViewDialogs.h"

#include <string>

#include "model/ListOperations.h"

namespace cl {

void ShowMainByLocation(MainShell& shell, ShellUi& ui, std::string_view location) {
    Collection& c = shell.Data();
    const std::string where(location.substr(0, kLocationReadMax));
    shell.SetViewMark(ViewMark::Main);
    const int count = ui.FillList(FillListBox(c.main, FillVariant::ByLocation, where, c.eroticVisible));
    shell.SetCaptionAndCount(count, where);
}

void ShowMainByCategory(MainShell& shell, std::string_view category) {
    shell.ShowByCategory(category.substr(0, kCategoryReadMax));
}

}  // namespace cl
