#include "core/window_model.h"

namespace qov {
namespace {

bool TitleMatchesAny(TitleMatch contains, std::string_view title,
                     const std::vector<std::string>& fragments) {
    if (title.empty()) return false;
    const std::string text(title);
    for (const std::string& fragment : fragments)
        if (contains(text, fragment)) return true;
    return false;
}

}  // namespace

bool WindowModel::IsSystemTitle(std::string_view title) const {
    return TitleMatchesAny(contains_, title, settings_.systemTitles);
}

bool WindowModel::IsExcludedTitle(std::string_view title) const {
    return TitleMatchesAny(contains_, title, settings_.excludedTitles);
}

bool WindowModel::TitlePassesFilters(std::string_view title) const {
    if (title.empty()) return settings_.showUntitled;
    if (!settings_.showSystemWindows && IsSystemTitle(title)) return false;
    if (!settings_.ignoreExclusions && IsExcludedTitle(title)) return false;
    return true;
}

}  // namespace qov
