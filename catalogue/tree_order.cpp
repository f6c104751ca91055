#include "catalogue/tree_order.h"

#include "platform/ascii.h"

#include <algorithm>
#include <string>

namespace catalogue {

namespace {

std::string Lowered(const std::string& text) {
    std::string lowered = text;
    for (char& c : lowered) c = platform::FoldAscii(c);
    return lowered;
}

// NTFS compares names through its table of capitals; for ASCII that is toupper.
std::string Capitals(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return upper;
}

}  // namespace

std::vector<int> AircraftInTreeOrder(const Catalogue& catalogue) {
    std::vector<int> order(catalogue.aircraft.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto& x = catalogue.aircraft[static_cast<std::size_t>(a)];
        const auto& y = catalogue.aircraft[static_cast<std::size_t>(b)];
        const std::string tx = Lowered(x.title), ty = Lowered(y.title);
        return tx != ty ? tx < ty : x.folder < y.folder;
    });
    return order;
}

std::vector<int> PanelsInOrder(const Catalogue& catalogue, int aircraft) {
    std::vector<int> panels = catalogue.aircraft[static_cast<std::size_t>(aircraft)].panels;
    std::stable_sort(panels.begin(), panels.end(), [&](int a, int b) {
        const std::string& x = catalogue.panels[static_cast<std::size_t>(a)].name;
        const std::string& y = catalogue.panels[static_cast<std::size_t>(b)].name;
        const std::string ux = Capitals(x), uy = Capitals(y);
        return ux != uy ? ux < uy : x < y;
    });
    return panels;
}

}  // namespace catalogue
