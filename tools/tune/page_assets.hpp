// The page's files, built into the program (page/*.html, *.css, *.js):
// the server reads nothing else from disk for the page.
#pragma once

#include <span>
#include <string_view>

namespace cclp_tune {

struct PageAsset {
    std::string_view name;  // "index.html", "tune.js"
    std::string_view contentType;
    std::string_view body;
};

std::span<const PageAsset> pageAssets();  // generated at build time
// Null for a name that is no asset.
const PageAsset* findPageAsset(std::string_view name);

}  // namespace cclp_tune
