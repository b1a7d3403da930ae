// The views of the main list box.
#include "model/View.h"

namespace cl {

View View::ForMark(ViewMark mark) {
    switch (mark) {
        case ViewMark::Upcoming:
            return Upcoming();
        case ViewMark::InternalGimme:
            return InternalGimme();
        case ViewMark::ImportedGimme:
            return ImportedGimme();
        case ViewMark::Main:
        case ViewMark::None:
            break;
    }
    return Main();
}

bool View::ShowsMainList() const {
    return kind == ViewKind::Main || kind == ViewKind::MainLocation || kind == ViewKind::Category ||
           kind == ViewKind::Presence;
}

ViewMark MarkOf(const View& view) {
    switch (view.kind) {
        case ViewKind::Main:
        case ViewKind::MainLocation:
            return ViewMark::Main;
        case ViewKind::Upcoming:
            return ViewMark::Upcoming;
        case ViewKind::InternalGimme:
            return ViewMark::InternalGimme;
        case ViewKind::ImportedGimme:
            return ViewMark::ImportedGimme;
        case ViewKind::Category:
        case ViewKind::Presence:
            break;
    }
    return ViewMark::None;
}

View WithMark(const View& shown, ViewMark mark) {
    if (MarkOf(shown) == mark) return shown;
    switch (mark) {
        case ViewMark::Main:
            return shown.kind == ViewKind::Category || shown.kind == ViewKind::Presence ? View::AtLocation(shown.filter)
                                                                                        : View::Main();
        case ViewMark::None:
            return View::OfCategory(shown.kind == ViewKind::Main ? kMainCaption : shown.filter);
        case ViewMark::Upcoming:
        case ViewMark::InternalGimme:
        case ViewMark::ImportedGimme:
            break;
    }
    return View::ForMark(mark);
}

std::string ImportedGimmeCaption(const MovieList& importedGimme) {
    std::string caption = "Gimme Import-> ";
    if (importedGimme.Empty()) return caption + "None";
    const MovieRecord& first = *importedGimme.begin();
    if (first.location) caption += *first.location;
    return caption;
}

std::string CaptionOf(const View& view, const Collection& c) {
    switch (view.kind) {
        case ViewKind::Main:
            return std::string(kMainCaption);
        case ViewKind::Upcoming:
            return std::string(kUpcomingCaption);
        case ViewKind::InternalGimme:
            return std::string(kGimmeCaption);
        case ViewKind::ImportedGimme:
            return ImportedGimmeCaption(c.importedGimme);
        case ViewKind::MainLocation:
        case ViewKind::Category:
        case ViewKind::Presence:
            break;
    }
    return view.filter;
}

ListBoxFill FillFor(const View& view, const Collection& c) {
    const bool erotic = c.eroticVisible;
    switch (view.kind) {
        case ViewKind::Main:
            return FillListBox(c.main, FillVariant::All, {}, erotic);
        case ViewKind::Upcoming:
            return FillListBox(c.upcoming, FillVariant::All, {}, erotic);
        case ViewKind::InternalGimme:
            return FillListBox(c.internalGimme, FillVariant::Plain, {}, false);
        case ViewKind::ImportedGimme:
            return FillListBox(c.importedGimme, FillVariant::Plain, {}, false);
        case ViewKind::MainLocation:
            return FillListBox(c.main, FillVariant::ByLocation, view.filter, erotic);
        case ViewKind::Presence:
            return FillListBox(c.main, FillVariant::ByPresence, view.filter, erotic);
        case ViewKind::Category:
            // The by-category filling itself shows erotic movies whatever the lock says; the guard is here.
            if (view.filter == kEroticCategory && !erotic) return {};
            return FillListBox(c.main, FillVariant::ByCategory, view.filter, true);
    }
    return {};
}

}  // namespace cl
