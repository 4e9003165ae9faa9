#include "foundation/grid/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace telvarin {
namespace {

int sumOf(const std::vector<int>& widths, const std::vector<int>& columns) {
    int sum = 0;
    for (const int c : columns)
        sum += widths[static_cast<std::size_t>(c)];
    return sum;
}

// Narrows the columns wider than `narrowest` in proportion to what they have beyond it, until
// together they take at most `limit`, or every one is down to `narrowest`.
void narrowTo(std::vector<int>& widths, const std::vector<int>& columns, int limit, int narrowest) {
    const int total = sumOf(widths, columns);
    if (total <= limit)
        return;
    long long spare = 0;
    for (const int c : columns)
        spare += std::max(0, widths[static_cast<std::size_t>(c)] - narrowest);
    if (spare == 0)
        return;
    const long long excess = std::min<long long>(total - limit, spare);
    for (const int c : columns) {
        int& width = widths[static_cast<std::size_t>(c)];
        const long long own = std::max(0, width - narrowest);
        // Rounded up, so that the columns end within the limit.
        width -= static_cast<int>(std::min(own, (excess * own + spare - 1) / spare));
    }
}

} // namespace

double readablePrintScale(double fontPixels, double deviceDpi) {
    return fontPixels > 0 ? kReadablePrintPoints / 72.0 * deviceDpi / fontPixels : 0.0;
}

PrintColumnPlan planPrintColumns(const PrintColumnsRequest& request) {
    PrintColumnPlan plan;
    plan.widths = request.widths;
    std::vector<int> shown;
    for (std::size_t c = 0; c < request.widths.size(); ++c) {
        if (request.widths[c] > 0)
            shown.push_back(static_cast<int>(c));
    }
    const int total = sumOf(plan.widths, shown);
    if (total == 0 || request.pageWidth <= 0) {
        plan.bands.push_back(shown);
        return plan;
    }
    if (request.pageWidth / total >= request.readableScale || request.readableScale <= 0) {
        plan.scale = request.pageWidth / total;
        plan.bands.push_back(shown);
        return plan;
    }
    if (request.contentWidths.size() == plan.widths.size()) {
        for (const int c : shown) {
            int& width = plan.widths[static_cast<std::size_t>(c)];
            width = std::clamp(request.contentWidths[static_cast<std::size_t>(c)], 1, width);
        }
        if (const double fitScale = request.pageWidth / sumOf(plan.widths, shown);
            fitScale >= request.readableScale) {
            plan.scale = fitScale;
            plan.bands.push_back(shown);
            return plan;
        }
    }

    plan.scale = request.readableScale;
    const int room = std::max(1, static_cast<int>(std::floor(request.pageWidth / plan.scale)));
    const int narrowest = std::max(1, request.narrowestTextWidth);

    // Narrowed wide columns may let the whole table stand on one page across.
    int narrowedTotal = 0;
    for (const int c : shown)
        narrowedTotal += std::min(plan.widths[static_cast<std::size_t>(c)], narrowest);
    if (narrowedTotal <= room) {
        narrowTo(plan.widths, shown, room, narrowest);
        plan.bands.push_back(shown);
        return plan;
    }

    // Pages across. The repeated columns keep at most half of each page.
    std::vector<int> repeated;
    std::vector<int> others;
    for (const int c : shown)
        (c < request.repeatedColumns ? repeated : others).push_back(c);
    narrowTo(plan.widths, repeated, room / 2, narrowest);
    int bandRoom = room - sumOf(plan.widths, repeated);
    if (bandRoom < room / 4) {
        // Columns too many to repeat: they are printed once, like the others.
        others = shown;
        repeated.clear();
        bandRoom = room;
    }
    std::vector<int> band = repeated;
    int used = 0;
    for (const int c : others) {
        int& width = plan.widths[static_cast<std::size_t>(c)];
        width = std::min(width, bandRoom);
        if (used > 0 && used + width > bandRoom) {
            plan.bands.push_back(std::move(band));
            band = repeated;
            used = 0;
        }
        band.push_back(c);
        used += width;
    }
    plan.bands.push_back(std::move(band));
    return plan;
}

std::vector<std::vector<int>> planPrintPages(const std::vector<int>& heights, double pageHeight) {
    std::vector<std::vector<int>> pages;
    std::vector<int> page;
    double used = 0;
    for (std::size_t r = 0; r < heights.size(); ++r) {
        const int height = heights[r];
        if (height <= 0)
            continue;
        if (!page.empty() && used + height > pageHeight) {
            pages.push_back(std::move(page));
            page.clear();
            used = 0;
        }
        page.push_back(static_cast<int>(r));
        used += height;
    }
    if (!page.empty() || pages.empty())
        pages.push_back(std::move(page));
    return pages;
}

} // namespace telvarin
