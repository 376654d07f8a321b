/** @file
 * The edge finder for C++17 callers: value types for the caliper and the
 * settings, owners of images, profiles and the found edges' result set, and
 * errors as exceptions of one category that names every status (category
 * and owner shared with the scoring module's C++ interface, through
 * cclp_score/cxx/c_wrapping.hpp). Header-only; calls only the C exports
 * of cedge.h (conventions there: x right, y down, angles in degrees
 * clockwise on screen, positions from the caliper's centre, positive
 * contrast dark to light).
 *
 *     const cedge::Image image = cedge::Image::read("part.png");
 *     const cedge::Found found = cedge::findEdges(
 *         image.view(), cedge::Caliper{120.0, 80.0, 0.0, 200.0, 10.0},
 *         cedge::Settings().sigma(1.5).minContrast(8.0));
 *     // found.edges: ascending, ready for cclp::score::Scorer::score(found.edges.c()).
 */
#ifndef CEDGE_HPP
#define CEDGE_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "cedge.h"
#include "cclp_score/cxx/c_wrapping.hpp"

/// The edge finder for C++17 callers (cedge.hpp): images, calipers and
/// the edges found in them, over the finder's C exports.
namespace cedge {

namespace detail {
struct StatusTexts {
    static constexpr const char* kCategory = "cedge";
    static const char* name(int32_t status) noexcept { return cedge_statusName(status); }
    static const char* meaning(int32_t status) noexcept { return cedge_statusMeaning(status); }
};
}  // namespace detail

/// Statuses as errors: "CEDGE_STATUS_SIGMA_NOT_VALID: sigma not finite or
/// outside [0.4, 100]".
using ErrorCategory = cclp::cwrap::StatusCategory<detail::StatusTexts>;

/// The one instance of ErrorCategory.
inline const std::error_category& errorCategory() noexcept {
    return cclp::cwrap::statusCategory<detail::StatusTexts>();
}

/// A status as a std::error_code of errorCategory().
inline std::error_code makeErrorCode(int32_t status) noexcept {
    return std::error_code(static_cast<int>(status), errorCategory());
}

/// Thrown by every failing operation; status() is the C status.
using Error = cclp::cwrap::Error<detail::StatusTexts>;

namespace detail {

inline bool failed(int32_t status, std::error_code& ec) noexcept {
    return cclp::cwrap::detail::failed<StatusTexts>(status, ec);
}

inline void throwIf(const std::error_code& ec, const char* operation) {
    if (ec) cclp::cwrap::detail::raise<StatusTexts>(ec, operation);
}

// The owner of one of the C records below; construction failures show in
// constructionStatus() (and in the status of the call that fills it).
#define CEDGE_RECORD_OPS_(Name, Record, prefix)                                  \
    struct Name {                                                              \
        static constexpr const char* kConstruct = #prefix "_construct";         \
        static int32_t construct(Record* r) { return prefix##_construct(r); }   \
        static int32_t destruct(Record* r) { return prefix##_destruct(r); }     \
    };
CEDGE_RECORD_OPS_(ImageOps, cedge_ownedImage, cedge_ownedImage)
CEDGE_RECORD_OPS_(ProfileOps, cedge_profile, cedge_profile)
CEDGE_RECORD_OPS_(ResultSetOps, cclp_resultSet, cclp_resultSet)
#undef CEDGE_RECORD_OPS_

template <class Record, class Ops>
class Owner : public cclp::cwrap::Owned<Record, Ops, StatusTexts> {
    using Base = cclp::cwrap::Owned<Record, Ops, StatusTexts>;

public:
    Owner() noexcept : Base(typename Base::NoThrow{}) {}
    int32_t status() const noexcept { return static_cast<int32_t>(this->constructionStatus().value()); }
};

}  // namespace detail

/// The scoring module's names for the sign of an edge's contrast; the older
/// DarkToLight and LightToDark are the same values.
enum class Polarity : int32_t {
    Any = cedge_polarityAny,            ///< Either sign.
    Positive = cedge_polarityPositive,  ///< Contrast >= 0: dark to light.
    Negative = cedge_polarityNegative,  ///< Contrast <= 0: light to dark.
    DarkToLight = Positive,             ///< The older name of Positive.
    LightToDark = Negative              ///< The older name of Negative.
};

/// Centre in pixels, angle in degrees, length and thickness in pixels.
struct Caliper {
    double centerX = 0.0;    ///< The centre, pixels right (pixel i centred at x = i).
    double centerY = 0.0;    ///< The centre, pixels down (pixel j centred at y = j).
    double angle = 0.0;      ///< The search direction, degrees clockwise on screen (0 right, 90 down).
    double length = 0.0;     ///< Along the search direction, pixels.
    double thickness = 0.0;  ///< Across it, pixels: the width averaged into the profile.

    /// The C record.
    cedge_caliper c() const noexcept { return {centerX, centerY, angle, length, thickness}; }
};

/// The search settings, fluent: Settings().sigma(2.0).polarity(Polarity::Positive).
/// Values are checked by the search, which names the bad one.
class Settings {
public:
    /// The finder's defaults.
    Settings() noexcept { cedge_params_init(&c_); }
    /// The Gaussian derivative's scale in pixels (0.4 to 100).
    Settings& sigma(double value) noexcept { return set(c_.sigma, value); }
    /// The smallest |contrast| reported, gray levels per pixel.
    Settings& minContrast(double value) noexcept { return set(c_.minContrast, value); }
    /// Which edges to report, by the sign of their contrast.
    Settings& polarity(Polarity value) noexcept {
        return set(c_.polarity, static_cast<int32_t>(value));
    }
    /// Project only the part of the caliper inside the image instead of failing.
    Settings& clipToImage(bool clip = true) noexcept {
        return set(c_.flags, clip ? c_.flags | CEDGE_CLIP_TO_IMAGE : c_.flags & ~CEDGE_CLIP_TO_IMAGE);
    }
    /// The C record (a temporary's, as a copy).
    ///@{
    const cedge_params& c() const& noexcept { return c_; }
    cedge_params c() const&& noexcept { return c_; }
    ///@}

private:
    template <class Field, class Value>
    Settings& set(Field& field, Value value) noexcept {
        field = value;
        return *this;
    }
    cedge_params c_{};
};

/// A caller's 8- or 16-bit gray pixels, read in place: the buffer must
/// outlive the view's use.
class ImageView {
public:
    /// Pixels of 8 or 16 bits, row by row, strideBytes from a row to the
    /// next, in a buffer of bufferBytes (checked by the search).
    ///@{
    ImageView(const uint8_t* pixels, std::size_t bufferBytes, int32_t width, int32_t height,
              int32_t strideBytes) noexcept
        : c_{pixels, bufferBytes, width, height, strideBytes, 8} {}
    ImageView(const uint16_t* pixels, std::size_t bufferBytes, int32_t width, int32_t height,
              int32_t strideBytes) noexcept
        : c_{pixels, bufferBytes, width, height, strideBytes, 16} {}
    ///@}
    /// A view the C record describes.
    explicit ImageView(const cedge_image& image) noexcept : c_(image) {}
    /// The C record. A temporary view (image.view().c()) hands out a copy,
    /// so that nothing refers into it once it is gone.
    ///@{
    const cedge_image& c() const& noexcept { return c_; }
    cedge_image c() const&& noexcept { return c_; }
    ///@}

private:
    cedge_image c_;
};

/// A gray image read from a PNG, PGM or PPM file (colour by luma weights).
class Image {
public:
    /// Reads the file; a failure throws Error naming the file, or with ec,
    /// is reported there and leaves the image empty. A name holding a NUL
    /// is refused (CSYS_STATUS_INVALID_ARGUMENT).
    ///@{
    static Image read(const std::string& path) {
        std::error_code ec;
        Image image = read(path, ec);
        detail::throwIf(ec, path.c_str());
        return image;
    }
    static Image read(const std::string& path, std::error_code& ec) noexcept {
        Image image;
        // The C door reads up to the first NUL: a name holding one would
        // silently name another file.
        const bool cut = path.find('\0') != std::string::npos;
        detail::failed(cut ? CSYS_STATUS_INVALID_ARGUMENT
                           : cedge_readImageFile(path.c_str(), image.owner_.get()),
                       ec);
        return image;
    }
    ///@}
    /// A view of its pixels, valid while the image lives.
    ImageView view() const noexcept { return ImageView(owner_.c().view); }
    /// Its width in pixels.
    int32_t width() const noexcept { return owner_.c().view.width; }
    /// Its height in pixels.
    int32_t height() const noexcept { return owner_.c().view.height; }
    /// 8 or 16.
    int32_t bitsPerPixel() const noexcept { return owner_.c().view.bitsPerPixel; }

private:
    Image() noexcept = default;
    detail::Owner<cedge_ownedImage, detail::ImageOps> owner_;
};

/// The projection and its derivative, for plots: value(i) at position(i).
class Profile {
public:
    /// The number of samples, one a pixel.
    int32_t size() const noexcept { return owner_.c().count; }
    /// The first sample that was projected (the others are 0: clipped).
    int32_t validFirst() const noexcept { return owner_.c().validFirst; }
    /// How many samples were projected from validFirst() on.
    int32_t validCount() const noexcept { return owner_.c().validCount; }
    /// Sample i's position along the caliper, pixels from its centre.
    double position(int32_t i) const noexcept { return owner_.c().firstPosition + i; }
    /// The projected gray values, size() of them.
    const double* values() const noexcept { return owner_.c().values; }
    /// Their Gaussian derivative; null for a profile of project() alone.
    const double* derivative() const noexcept { return owner_.c().derivative; }
    /// The C record, for C functions that fill it.
    cedge_profile* get() noexcept { return owner_.get(); }

private:
    detail::Owner<cedge_profile, detail::ProfileOps> owner_;
};

/// One edge: position in pixels from the caliper's centre, contrast in gray
/// levels per pixel, positive dark to light.
using Edge = cclp_edge;

struct Found;
inline Found findEdges(const ImageView&, const Caliper&, const Settings&, std::error_code&);

/// The edges the finder found, ascending, in the caliper result set it wrote
/// (double precision): to read in place, to lend to the scorer
/// (cclp::score::Scorer::score(edges.c())), or to hand over without a copy
/// (cclp::score::Edges::adopt(edges.release())).
class Edges {
public:
    /// The number of edges.
    std::size_t size() const noexcept { return static_cast<std::size_t>(set_.c().numEdges); }
    /// True when none was found.
    bool empty() const noexcept { return size() == 0; }
    /// Iteration over the edges, ascending.
    ///@{
    const Edge* begin() const noexcept { return set_.c().edges; }
    const Edge* end() const noexcept { return begin() + size(); }
    ///@}
    /// Edge i, unchecked (i < size()).
    const Edge& operator[](std::size_t i) const noexcept { return begin()[i]; }
    /// The C record, to lend to the scorer.
    const cclp_resultSet& c() const noexcept { return set_.c(); }
    /// The record, for the caller to destruct; these edges are empty after.
    cclp_resultSet release() noexcept { return set_.release(); }

private:
    friend Found findEdges(const ImageView&, const Caliper&, const Settings&, std::error_code&);
    detail::Owner<cclp_resultSet, detail::ResultSetOps> set_;
};

/// What findEdges() found: the edges and the caliper's profile.
struct Found {
    Edges edges;      ///< The edges, ascending.
    Profile profile;  ///< The projection and its derivative.

    /// The edges' positions, as a copy.
    std::vector<double> positions() const { return column(&Edge::position); }
    /// The edges' contrasts, as a copy.
    std::vector<double> contrasts() const { return column(&Edge::contrast); }

private:
    std::vector<double> column(double Edge::*field) const {
        std::vector<double> values;
        values.reserve(edges.size());
        for (const Edge& edge : edges) values.push_back(edge.*field);
        return values;
    }
};

/// The caliper's profile alone (no derivative). clipToImage projects only
/// the part inside the image instead of failing. A failure throws Error, or
/// with ec, is reported there and leaves the profile empty.
///@{
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
///@}

/// The edges in the caliper, ascending, with its profile. A failure throws
/// Error, or with ec, leaves the result empty and says why there
/// (std::bad_alloc aside).
///@{
inline Found findEdges(const ImageView& image, const Caliper& caliper, const Settings& settings,
                       std::error_code& ec) {
    Found found;
    if (detail::failed(found.edges.set_.status(), ec)) return found;
    const cedge_caliper rectangle = caliper.c();
    (void)detail::failed(cedge_findEdges(&image.c(), &rectangle, &settings.c(),
                                         found.edges.set_.get(), found.profile.get()),
                         ec);
    return found;
}
inline Found findEdges(const ImageView& image, const Caliper& caliper,
                       const Settings& settings = Settings()) {
    std::error_code ec;
    Found found = findEdges(image, caliper, settings, ec);
    detail::throwIf(ec, "findEdges");
    return found;
}
///@}

}  // namespace cedge

#endif
