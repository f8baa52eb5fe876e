#include "settings/settings.h"

#include <utility>

namespace qov {

bool Settings::AppendExcludedTitle(std::string title) {
    if (ExcludedTitleCount() >= kMaxExcludedTitles) return false;
    ExcludedTitles.push_back(std::move(title));
    return true;
}

bool Settings::RemoveExcludedTitle(int position) {
    if (position < 1 || position > ExcludedTitleCount()) return false;
    ExcludedTitles.erase(ExcludedTitles.begin() + (position - 1));
    return true;
}

}  // namespace qov
