#include "SkinCheck.h"

#include "SkinPictures.h"
#include "Utf8.h"
#include "frame/ComposePlan.h"
#include "frame/ScaledSkin.h"
#include "frame/SkinMessages.h"
#include "platform/Canvas.h"
#include "platform/ImageFile.h"
#include "platform/ImageHeader.h"
#include "settings/SkinIni.h"

#include <array>
#include <cstdlib>
#include <filesystem>

namespace glaze::tools {
namespace {

// The message with its CR LF as a plain line break: the output stream adds the CR itself.
std::wstring OnLines(std::wstring message) {
    std::erase(message, L'\r');
    return message;
}

const char* RoleOf(const SkinModel& model, size_t i) {
    if (i == 0) {
        return "frame";
    }
    switch (model.ItemAction[i]) {
    case Minimise:
        return "minimise";
    case MaximiseOrRestore:
        return "maximise/restore";
    case Close:
        return "close";
    case NextSkin:
        return "next skin";
    default:
        return "no action";
    }
}

constexpr std::array<const char*, 7> NumberFieldNames{"action", "x",       "y",       "width",
                                                      "height", "stretch", "disabled"};

// Why the program stops at the item: the item line as the program reads it.
std::string WhyRefused(const std::vector<std::wstring>& lines, int32_t item) {
    const auto i = static_cast<size_t>(item);
    if (i >= lines.size()) {
        return "skin.ini has no SKINNUM0 in [SKININFO]";
    }
    SkinItemLineNotes notes;
    if (!ParseSkinItemLine(lines[i], &notes)) {
        if (notes.FieldCount < 9) {
            return Utf8(SkinItemKey(item)) + " has " + std::to_string(notes.FieldCount) +
                   " fields; an item needs 9";
        }
        if (notes.NumberField >= 0) {
            return "field " +
                   std::string(NumberFieldNames[static_cast<size_t>(notes.NumberField)]) + " of " +
                   Utf8(SkinItemKey(item)) + " is a number beyond 32 bits";
        }
    }
    return "item " + std::to_string(item) + " cannot be prepared";
}

class Report {
public:
    Report(std::FILE* out, const std::wstring& skinDir, const PreviewSkin& skin)
        : out_(out), dir_(skinDir), model_(skin.Model), dpi_(skin.Dpi),
          frameWidth_(skin.FrameWidth()), frameHeight_(skin.FrameHeight()) {
        model_.FitFrame(frameWidth_, frameHeight_);
    }

    void Item(size_t i, const std::wstring& line) {
        SkinItemLineNotes notes;
        const SkinItemFields fields = ParseSkinItemLine(line, &notes).value_or(SkinItemFields{});
        std::fprintf(out_,
                     "item %zu (%s): action %d, x %d, y %d, width %d, height %d, stretch %s, "
                     "disabled %s, label \"%s\", image \"%s\"",
                     i, RoleOf(model_, i), model_.ItemAction[i], model_.ItemX[i], model_.ItemY[i],
                     model_.ItemWidth[i], model_.ItemHeight[i],
                     model_.ItemStretch[i] ? "yes" : "no", model_.ItemDisabled[i] ? "yes" : "no",
                     Utf8(fields.Label).c_str(), Utf8(fields.ImageFile).c_str());
        const int32_t width = model_.ItemImageWidth[i];
        const int32_t height = model_.ItemImageHeight[i];
        const bool shown = width != 0 || height != 0;
        if (shown) {
            std::fprintf(out_, " %d x %d", width, height);
        }
        std::fprintf(out_, "\n");
        Held(i, notes);
        const std::optional<ImageFileHead> own = ReadImageFileHead(dir_ + L"\\" + fields.ImageFile);
        MadeForScales(i, fields, own);
        if (!shown) {
            Unshown(i, own);
        } else if (i == 0) {
            Borders();
        } else {
            Cells(i);
            Place(i);
        }
    }

    int Warnings() const { return warnings_; }

    void TooManyItems() {
        std::fprintf(out_,
                     "  warning: skin.ini has more than %d items (%s and on): the program "
                     "ignores every item beyond the first %d\n",
                     static_cast<int>(MaxSkinItems), Utf8(SkinItemKey(MaxSkinItems)).c_str(),
                     static_cast<int>(MaxSkinItems));
        ++warnings_;
    }

private:
    void Warn(size_t i, const std::string& text) {
        std::fprintf(out_, "  warning, item %zu: %s\n", i, text.c_str());
        ++warnings_;
    }

    void Held(size_t i, const SkinItemLineNotes& notes) {
        for (size_t n = 1; n <= 4; ++n) {
            if ((notes.HeldFields & (1u << n)) != 0) {
                Warn(i, std::string(NumberFieldNames[n]) + " lies beyond +-" +
                            std::to_string(SkinCoordinateLimit) + ": the program holds it there");
            }
        }
    }

    // Why the program shows no image: the same read and the same bounds as the program's.
    void Unshown(size_t i, const std::optional<ImageFileHead>& file) {
        const int64_t screenPixels = ScreenPixels();
        const std::optional<DeclaredSize> declared =
            file ? DeclaredImageSize(file->Head) : std::nullopt;
        if (!file || file->Size == 0) {
            Warn(i, "image missing or empty: the item is shown transparent");
        } else if (file->Size > MaxImageFileBytes(screenPixels)) {
            Warn(i, "image file of " + std::to_string(file->Size) +
                        " bytes, larger than any picture the program decodes (at most " +
                        std::to_string(MaxImageFileBytes(screenPixels)) +
                        " bytes on this screen): it is not read, the item is shown transparent");
        } else if (declared && !IsDecodableSize(*declared, screenPixels)) {
            Warn(i, "image declares " + std::to_string(declared->Width) + " x " +
                        std::to_string(declared->Height) + " pixels, " + TooLarge());
        } else if (declared && dpi_ != DesignDpi) {
            Warn(i, "image scaled to " +
                        std::to_string(ScaleForDpi(Saturate(declared->Width), dpi_)) + " x " +
                        std::to_string(ScaleForDpi(Saturate(declared->Height), dpi_)) +
                        " pixels, " + TooLarge());
        } else {
            Warn(i, "image cannot be decoded: the item is shown transparent");
        }
    }

    // Images the skin holds for other scales beside the item's own ("close@2x.png"): used at
    // that scale only when exactly as large as the item's image scaled.
    void MadeForScales(size_t i, const SkinItemFields& fields,
                       const std::optional<ImageFileHead>& own) {
        const std::filesystem::path image = std::filesystem::path(dir_) / fields.ImageFile;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(image.parent_path(), error)) {
            const std::wstring relative =
                (std::filesystem::path(fields.ImageFile).parent_path() / entry.path().filename())
                    .wstring();
            const std::optional<int32_t> dpi = ScaledImageDpi(relative, fields.ImageFile);
            if (!dpi) {
                continue;
            }
            const std::string name = Utf8(entry.path().filename().wstring());
            const std::optional<DeclaredSize> ownSize =
                own ? DeclaredImageSize(own->Head) : std::nullopt;
            if (!ownSize) {
                Warn(i, name + " stands in for an image the program cannot read: it is not used");
                continue;
            }
            const ImageScalePlan scaled =
                PlanImageScale(static_cast<int32_t>(i), fields, Saturate(ownSize->Width),
                               Saturate(ownSize->Height), *dpi);
            const std::optional<ImageFileHead> file = ReadImageFileHead(entry.path().wstring());
            const std::optional<DeclaredSize> size =
                file ? DeclaredImageSize(file->Head) : std::nullopt;
            const bool fits = size && size->Width == scaled.Width && size->Height == scaled.Height;
            if (fits && *dpi == dpi_) {
                std::fprintf(out_, "  item %zu shows %s, made for this scale\n", i, name.c_str());
            }
            if (!fits) {
                Warn(i, name +
                            (size ? " is " + std::to_string(size->Width) + " x " +
                                        std::to_string(size->Height)
                                  : std::string(" cannot be read")) +
                            ", not the " + std::to_string(scaled.Width) + " x " +
                            std::to_string(scaled.Height) +
                            " its scale needs: the program scales " + Utf8(fields.ImageFile) +
                            " instead");
            }
        }
    }

    static std::string TooLarge() {
        return "more than the program decodes (at most " + std::to_string(MaxImageSide) +
               " a side and four screens of pixels): the item is shown transparent";
    }

    static int64_t ScreenPixels() {
        const BITMAPINFOHEADER screen = MakeScreenBitmapInfo().bmiHeader;
        return int64_t{screen.biWidth} * std::abs(screen.biHeight);
    }

    void Borders() {
        const int32_t across = model_.MarginH();
        const int32_t down = model_.MarginV();
        if (across > model_.ItemImageWidth[0] || down > model_.ItemImageHeight[0]) {
            Warn(0, "borders " + std::to_string(across) + " x " + std::to_string(down) +
                        " (left + right, top + bottom) are larger than the image: the frame's "
                        "edges are drawn from beyond it, transparent");
        }
    }

    void Cells(size_t i) {
        if (!model_.HasButtonCells(static_cast<int32_t>(i))) {
            return; // the whole image is shown
        }
        const int32_t cell = model_.ItemWidth[i];
        const int32_t image = model_.ItemImageWidth[i];
        if (cell <= 0) {
            Warn(i, "cell width " + std::to_string(cell) + ": nothing is drawn");
            return;
        }
        if (image % cell != 0) {
            Warn(i, "image " + std::to_string(image) + " px wide does not divide into cells of " +
                        std::to_string(cell) + " px");
        }
        if (image / cell < 4) {
            Warn(i, "image holds " + std::to_string(image / cell) +
                        " whole cell(s) of 4 (normal, hover, pressed, disabled): the cells "
                        "beyond it are transparent");
        }
    }

    void Place(size_t i) {
        const PixelRect rect =
            PlaceItem(model_, static_cast<int32_t>(i), frameWidth_, frameHeight_, true).Rect;
        if (rect.X < 0 || rect.Y < 0 || rect.X + rect.Width > frameWidth_ ||
            rect.Y + rect.Height > frameHeight_) {
            Warn(i, "at " + std::to_string(rect.X) + ", " + std::to_string(rect.Y) + " size " +
                        std::to_string(rect.Width) + " x " + std::to_string(rect.Height) +
                        " it reaches outside a " + std::to_string(frameWidth_) + " x " +
                        std::to_string(frameHeight_) + " frame");
        }
    }

    std::FILE* out_;
    std::wstring dir_;
    SkinModel model_;
    int32_t dpi_;
    int32_t frameWidth_;
    int32_t frameHeight_;
    int warnings_ = 0;
};

} // namespace

int CheckSkin(const std::wstring& skinDir, std::FILE* out, int32_t dpi) {
    const std::filesystem::path path = std::filesystem::path(skinDir).lexically_normal();
    const std::wstring dir = (path.has_filename() ? path : path.parent_path()).wstring();
    const std::wstring name = std::filesystem::path(dir).filename().wstring();
    std::fprintf(out, "skin %s\n", Utf8(dir).c_str());
    if (!IsSkinDirectory(dir)) {
        std::fprintf(out, "no skin.ini: the program does not list this directory as a skin\n");
        return 1;
    }

    if (dpi != DesignDpi) {
        std::fprintf(out, "at %d DPI: numbers and images as the program scales them there\n",
                     static_cast<int>(dpi));
    }
    const PreviewSkin skin = LoadSkin(dir, dpi);
    const std::vector<std::wstring> lines = ReadSkinItemLines(SkinIniOf(dir));
    Report report(out, dir, skin);
    for (size_t i = 0; i < static_cast<size_t>(skin.Model.ItemCount); ++i) {
        report.Item(i, lines[i]);
    }
    if (!ReadSkinItemLine(SkinIniOf(dir), MaxSkinItems).empty()) {
        report.TooManyItems();
    }
    if (!skin.Loaded) {
        std::fprintf(out, "the program refuses this skin at item %d: %s\nand shows:\n%s\n",
                     static_cast<int>(skin.Model.ItemCount),
                     WhyRefused(lines, skin.Model.ItemCount).c_str(),
                     Utf8(OnLines(FaultySkinMessage(name, skin.Model.ItemCount))).c_str());
        return 1;
    }
    std::fprintf(out, "the program loads this skin (%d items, %d warnings)\n",
                 static_cast<int>(skin.Model.ItemCount), report.Warnings());
    return 0;
}

} // namespace glaze::tools
