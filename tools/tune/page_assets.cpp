#include "tune/page_assets.hpp"

namespace cclp_tune {

const PageAsset* findPageAsset(std::string_view name) {
    for (const PageAsset& asset : pageAssets()) {
        if (asset.name == name) return &asset;
    }
    return nullptr;
}

}  // namespace cclp_tune
