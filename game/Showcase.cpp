#include "Showcase.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "ShowcaseFrontEnd.h"
#include "ShowcaseOpening.h"
#include "ShowcaseStage.h"

namespace brinefall {
namespace {

using Factory = std::function<tidewell::Sprite*()>;

const std::vector<std::pair<std::string, Factory>>& showcases() {
    static const std::vector<std::pair<std::string, Factory>> table = {
        {"stage1", [] { return makeStageShowcase(1); }},
        {"stage2", [] { return makeStageShowcase(2); }},
        {"title", makeTitleShowcase},
        {"options", makeOptionsShowcase},
        {"help", makeHelpShowcase},
        {"opening", makeOpeningShowcase},
        {"company", makeCompanyShowcase},
        {"backdrop", makeBackdropShowcase},
        {"stagetitle", makeStageTitleShowcase},
        {"weapons", makeWeaponsShowcase},
        {"menus", makeMenusShowcase},
        {"ending", makeEndingShowcase},
    };
    return table;
}

}  // namespace

const std::vector<std::string>& showcaseNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const auto& [name, factory] : showcases()) all.push_back(name);
        return all;
    }();
    return names;
}

bool isShowcaseName(const std::string& name) {
    const auto& names = showcaseNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string showcaseNameList() {
    std::string list;
    for (const std::string& name : showcaseNames()) list += (list.empty() ? "" : ", ") + name;
    return list;
}

tidewell::Sprite* makeShowcaseScene(const std::string& name) {
    for (const auto& [known, factory] : showcases()) {
        if (known == name) return factory();
    }
    return nullptr;
}

}  // namespace brinefall
