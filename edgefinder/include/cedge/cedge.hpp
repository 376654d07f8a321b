// The edge finder for C++17 callers: value types for the caliper and the
// settings, owners of images and profiles, and errors as exceptions of one
// category that names every status. Header-only; calls only the C exports
// of cedge.h (conventions there: x right, y down, angles in degrees
// clockwise on screen, positions from the caliper's centre, positive
// contrast dark to light).
//
//     const cedge::Image image = cedge::Image::read("part.png");
//     const cedge::Found found = cedge::findEdges(
//         image.view(), cedge::Caliper{120.0, 80.0, 0.0, 200.0, 10.0},
//         cedge::Settings().sigma(1.5).minContrast(8.0));
//     // found.positions(), found.contrasts(): ready for cclp::score::Edges.
#ifndef CEDGE_HPP
#define CEDGE_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "cedge.h"

namespace cedge {

class ErrorCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "cedge"; }

    // "CEDGE_STATUS_SIGMA_NOT_VALID: sigma not finite or outside [0.4, 100]".
    std::string message(int condition) const override {
        const auto status = static_cast<int32_t>(condition);
        if (const char* statusText = cedge_statusName(status)) {
            return std::string(statusText) + ": " + cedge_statusMeaning(status);
        }
        return "unknown status " + std::to_string(status);
    }
};

inline const std::error_category& errorCategory() noexcept {
    static const ErrorCategory category;
    return category;
}

inline std::error_code makeErrorCode(int32_t status) noexcept {
    return std::error_code(static_cast<int>(status), errorCategory());
}

// Thrown by every failing operation; status() is the C status.
class Error : public std::system_error {
public:
    using std::system_error::system_error;
    int32_t status() const noexcept { return static_cast<int32_t>(code().value()); }
};

namespace detail {

inline bool failed(int32_t status, std::error_code& ec) noexcept {
    if (status < 0) {
        ec = makeErrorCode(status);
        return true;
    }
    ec.clear();
    return false;
}

inline void throwIf(const std::error_code& ec, const char* operation) {
    if (ec) throw Error(ec, operation);
}

}  // namespace detail

enum class Polarity : int32_t {
    Any = cedge_polarityAny,
    DarkToLight = cedge_polarityDarkToLight,
    LightToDark = cedge_polarityLightToDark
};

// Centre in pixels, angle in degrees, length and thickness in pixels.
struct Caliper {
    double centerX = 0.0;
    double centerY = 0.0;
    double angle = 0.0;
    double length = 0.0;
    double thickness = 0.0;

    cedge_caliper c() const noexcept { return {centerX, centerY, angle, length, thickness}; }
};

// The search settings, fluent: Settings().sigma(2.0).polarity(Polarity::DarkToLight).
// Values are checked by the search, which names the bad one.
class Settings {
public:
    Settings() noexcept { cedge_params_init(&c_); }
    Settings& sigma(double value) noexcept { return set(c_.sigma, value); }
    Settings& minContrast(double value) noexcept { return set(c_.minContrast, value); }
    Settings& polarity(Polarity value) noexcept {
        return set(c_.polarity, static_cast<int32_t>(value));
    }
    // Project only the part of the caliper inside the image instead of failing.
    Settings& clipToImage(bool clip = true) noexcept {
        return set(c_.flags, clip ? c_.flags | CEDGE_CLIP_TO_IMAGE : c_.flags & ~CEDGE_CLIP_TO_IMAGE);
    }
    const cedge_params& c() const& noexcept { return c_; }
    cedge_params c() const&& noexcept { return c_; }

private:
    template <class Field, class Value>
    Settings& set(Field& field, Value value) noexcept {
        field = value;
        return *this;
    }
    cedge_params c_{};
};

// A caller's 8- or 16-bit gray pixels, read in place: the buffer must
// outlive the view's use.
class ImageView {
public:
    ImageView(const uint8_t* pixels, std::size_t bufferBytes, int32_t width, int32_t height,
              int32_t strideBytes) noexcept
        : c_{pixels, bufferBytes, width, height, strideBytes, 8} {}
    ImageView(const uint16_t* pixels, std::size_t bufferBytes, int32_t width, int32_t height,
              int32_t strideBytes) noexcept
        : c_{pixels, bufferBytes, width, height, strideBytes, 16} {}
    explicit ImageView(const cedge_image& image) noexcept : c_(image) {}
    const cedge_image& c() const& noexcept { return c_; }
    // A temporary view (image.view().c()) hands out a copy, so that nothing
    // refers into it once it is gone.
    cedge_image c() const&& noexcept { return c_; }

private:
    cedge_image c_;
};

namespace detail {

// A C record with construct and destruct, owned: move-only. A record whose
// construct failed, or that was moved from, is not destructed.
template <class Record, int32_t (*Construct)(Record*), int32_t (*Destruct)(Record*)>
class Owner {
public:
    Owner() noexcept : status_(Construct(&c_)) {}
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;
    Owner(Owner&& other) noexcept : c_(other.c_), status_(other.status_) {
        other.status_ = CSYS_STATUS_INVALID_ARGUMENT;
    }
    Owner& operator=(Owner&& other) noexcept {
        std::swap(c_, other.c_);
        std::swap(status_, other.status_);
        return *this;
    }
    ~Owner() {
        if (status_ >= 0) Destruct(&c_);
    }
    // The construct's status: negative when there is no record.
    int32_t status() const noexcept { return status_; }
    const Record& c() const noexcept { return c_; }
    Record* get() noexcept { return &c_; }

private:
    Record c_{};
    int32_t status_;
};

}  // namespace detail

// A gray image read from a PNG, PGM or PPM file (colour by luma weights).
class Image {
public:
    static Image read(const std::string& path) {
        std::error_code ec;
        Image image = read(path, ec);
        detail::throwIf(ec, path.c_str());
        return image;
    }
    static Image read(const std::string& path, std::error_code& ec) noexcept {
        Image image;
        detail::failed(cedge_readImageFile(path.c_str(), image.owner_.get()), ec);
        return image;
    }
    ImageView view() const noexcept { return ImageView(owner_.c().view); }
    int32_t width() const noexcept { return owner_.c().view.width; }
    int32_t height() const noexcept { return owner_.c().view.height; }
    int32_t bitsPerPixel() const noexcept { return owner_.c().view.bitsPerPixel; }

private:
    Image() noexcept = default;
    detail::Owner<cedge_ownedImage, cedge_ownedImage_construct, cedge_ownedImage_destruct> owner_;
};

// The projection and its derivative, for plots: value(i) at position(i).
class Profile {
public:
    int32_t size() const noexcept { return owner_.c().count; }
    int32_t validFirst() const noexcept { return owner_.c().validFirst; }
    int32_t validCount() const noexcept { return owner_.c().validCount; }
    double position(int32_t i) const noexcept { return owner_.c().firstPosition + i; }
    const double* values() const noexcept { return owner_.c().values; }
    // Null for a profile of project() alone.
    const double* derivative() const noexcept { return owner_.c().derivative; }
    cedge_profile* get() noexcept { return owner_.get(); }

private:
    detail::Owner<cedge_profile, cedge_profile_construct, cedge_profile_destruct> owner_;
};

struct Edge {
    double position;  // pixels from the caliper's centre
    double contrast;  // gray levels per pixel, positive dark to light
};

struct Found {
    std::vector<Edge> edges;  // ascending
    Profile profile;

    std::vector<double> positions() const { return column(&Edge::position); }
    std::vector<double> contrasts() const { return column(&Edge::contrast); }

private:
    std::vector<double> column(double Edge::*field) const {
        std::vector<double> values;
        values.reserve(edges.size());
        for (const Edge& edge : edges) values.push_back(edge.*field);
        return values;
    }
};

// The caliper's profile alone (no derivative).
inline Profile project(const ImageView& image, const Caliper& caliper, bool clipToImage,
                       std::error_code& ec) noexcept {
    Profile profile;
    const cedge_caliper rectangle = caliper.c();
    detail::failed(cedge_project(&image.c(), &rectangle, clipToImage ? CEDGE_CLIP_TO_IMAGE : 0u,
                                 profile.get()),
                   ec);
    return profile;
}
inline Profile project(const ImageView& image, const Caliper& caliper, bool clipToImage = false) {
    std::error_code ec;
    Profile profile = project(image, caliper, clipToImage, ec);
    detail::throwIf(ec, "project");
    return profile;
}

// The edges in the caliper, with its profile. Without exceptions, a failure
// leaves the result empty and says why in ec (std::bad_alloc aside).
inline Found findEdges(const ImageView& image, const Caliper& caliper, const Settings& settings,
                       std::error_code& ec) {
    using ResultSet = detail::Owner<cclp_resultSet, cclp_resultSet_construct, cclp_resultSet_destruct>;
    Found found;
    ResultSet set;
    if (detail::failed(set.status(), ec)) return found;
    const cedge_caliper rectangle = caliper.c();
    if (detail::failed(cedge_findEdges(&image.c(), &rectangle, &settings.c(), set.get(),
                                       found.profile.get()),
                       ec)) {
        return found;
    }
    const cclp_resultSet& edges = set.c();
    found.edges.reserve(static_cast<std::size_t>(edges.numEdges));
    for (int32_t i = 0; i < edges.numEdges; ++i) {
        found.edges.push_back({edges.edges[i].position, edges.edges[i].contrast});
    }
    return found;
}
inline Found findEdges(const ImageView& image, const Caliper& caliper,
                       const Settings& settings = Settings()) {
    std::error_code ec;
    Found found = findEdges(image, caliper, settings, ec);
    detail::throwIf(ec, "findEdges");
    return found;
}

}  // namespace cedge

#endif
