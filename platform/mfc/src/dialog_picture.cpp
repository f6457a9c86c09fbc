// The picture of a dialog: an SVG drawn from the dialog's windows as they are laid out
// (pixels from the template's dialog units), in the look of a Windows dialog.
#include "bitmap_png.h"
#include "mfc_host.h"
#include "modal.h"
#include "window.h"
#include "win_codepage.h"
#include "win_host_io.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kz::ui {

namespace {

std::wstring gPictureFolder;
int gPictureCount = 0;

constexpr const char* kFont = "'MS PGothic','Meiryo','Noto Sans CJK JP','IPAPGothic',sans-serif";
constexpr const char* kFace = "#f0f0f0";
constexpr const char* kText = "#000000";
constexpr const char* kGrey = "#6d6d6d";
constexpr const char* kFocus = "#0078d7";

std::string escaped(const std::wstring& text) {
    std::string out;
    for (char c : kz::wideToUtf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string hex(COLORREF c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return buf;
}

class Painter {
public:
    Painter(const Window* dialog, std::ostringstream& out) : d_(dialog), out_(out) {
        origin_ = {dialog->frame.left, dialog->frame.top};
        fontSize_ = dialog->baseY;
    }

    void frame() {
        const RECT& r = d_->rect;
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        out_ << "<rect x='0.5' y='0.5' width='" << w - 1 << "' height='" << h - 1 << "' fill='"
             << kFace << "' stroke='#7a7a7a'/>\n";
        if (d_->frame.top > d_->frame.left) {
            out_ << "<rect x='1' y='1' width='" << w - 2 << "' height='" << d_->frame.top - 1
                 << "' fill='#ffffff'/>\n";
            text(8, d_->frame.top / 2 + fontSize_ * 4 / 10, d_->text, kText, "start");
            if (d_->style & WS_SYSMENU) {
                const int cx = w - 23;
                const int cy = d_->frame.top / 2;
                out_ << "<path d='M" << cx - 5 << ' ' << cy - 5 << "l10 10M" << cx + 5 << ' '
                     << cy - 5 << "l-10 10' stroke='#000' stroke-width='1'/>\n";
            }
        }
    }

    void control(const Window* c) {
        const int x = origin_.x + c->rect.left;
        const int y = origin_.y + c->rect.top;
        const int w = c->rect.right - c->rect.left;
        const int h = c->rect.bottom - c->rect.top;
        const char* ink = c->enabled ? kText : kGrey;
        const bool focused = focus() == c;
        const auto* host = dynamic_cast<const kz::ScriptableControl*>(c->object);
        switch (c->kind) {
        case Kind::Label: {
            const DWORD align = c->style & SS_TYPEMASK;
            const char* anchor = align == SS_CENTER  ? "middle"
                                 : align == SS_RIGHT ? "end"
                                                     : "start";
            const int tx = align == SS_CENTER ? x + w / 2 : align == SS_RIGHT ? x + w : x;
            text(tx, y + fontSize_ - 2, c->text, ink, anchor);
            break;
        }
        case Kind::Edit:
            box(x, y, w, h, "#ffffff", focused ? kFocus : "#7a7a7a");
            clipped(x + 3, y, w - 6, h, c->text, ink);
            break;
        case Kind::ComboBox:
        case Kind::ListBox: {
            box(x, y, w, h, "#ffffff", focused ? kFocus : "#7a7a7a");
            std::wstring shown = c->curSel >= 0 && c->curSel < static_cast<int>(c->entries.size())
                                     ? c->entries[static_cast<std::size_t>(c->curSel)].text
                                     : c->text;
            int tx = x + 3;
            if (host != nullptr) {
                shown = host->shownText();
                if (const auto swatch = host->swatchColor()) {
                    out_ << "<rect x='" << tx + 0.5 << "' y='" << y + h / 2 - 5.5
                         << "' width='10' height='10' fill='" << hex(*swatch)
                         << "' stroke='#000'/>\n";
                    tx += 14;
                }
            }
            const int arrow = c->kind == Kind::ComboBox ? 17 : 0;
            clipped(tx, y, w - (tx - x) - arrow - 2, h, shown, ink);
            if (arrow != 0) {
                const int ax = x + w - arrow / 2 - 1;
                const int ay = y + h / 2;
                out_ << "<path d='M" << ax - 4 << ' ' << ay - 2 << "l4 4l4 -4' fill='none' stroke='"
                     << ink << "'/>\n";
            }
            break;
        }
        case Kind::CheckBox:
        case Kind::RadioButton: {
            const int by = y + (h - 13) / 2;
            if (c->kind == Kind::CheckBox) {
                box(x, by, 13, 13, "#ffffff", "#333333");
                if (c->check == BST_CHECKED) {
                    out_ << "<path d='M" << x + 3 << ' ' << by + 6.5
                         << "l3 3l5 -6' fill='none' stroke='" << ink << "' stroke-width='1.6'/>\n";
                } else if (c->check == BST_INDETERMINATE) {
                    out_ << "<rect x='" << x + 3 << "' y='" << by + 3
                         << "' width='7' height='7' fill='" << ink << "'/>\n";
                }
            } else {
                out_ << "<circle cx='" << x + 6.5 << "' cy='" << by + 6.5
                     << "' r='6' fill='#ffffff' stroke='#333333'/>\n";
                if (c->check == BST_CHECKED) {
                    out_ << "<circle cx='" << x + 6.5 << "' cy='" << by + 6.5 << "' r='3' fill='"
                         << ink << "'/>\n";
                }
            }
            clipped(x + 17, y, w - 17, h, c->text, ink);
            if (focused) {
                focusRect(x + 15, y, w - 15, h);
            }
            break;
        }
        case Kind::PushButton: {
            const bool isDefault = d_->defId == c->id;
            out_ << "<rect x='" << x + 0.5 << "' y='" << y + 0.5 << "' width='" << w - 1
                 << "' height='" << h - 1 << "' fill='#e1e1e1' stroke='"
                 << (isDefault || focused ? kFocus : "#adadad") << "' stroke-width='"
                 << (isDefault ? 2 : 1) << "'/>\n";
            text(x + w / 2, y + h / 2 + fontSize_ * 4 / 10, c->text, ink, "middle");
            if (focused) {
                focusRect(x + 3, y + 3, w - 6, h - 6);
            }
            break;
        }
        case Kind::GroupBox: {
            const int top = y + fontSize_ / 2;
            out_ << "<rect x='" << x + 0.5 << "' y='" << top + 0.5 << "' width='" << w - 1
                 << "' height='" << h - fontSize_ / 2 - 1 << "' fill='none' stroke='#dcdcdc'/>\n";
            if (!c->text.empty()) {
                const int textWidth = static_cast<int>(c->text.size()) * fontSize_ + 4;
                out_ << "<rect x='" << x + 6 << "' y='" << y << "' width='" << textWidth
                     << "' height='" << fontSize_ << "' fill='" << kFace << "'/>\n";
                text(x + 8, y + fontSize_ - 2, c->text, ink, "start");
            }
            break;
        }
        case Kind::Picture:
            picture(c, x, y, w, h);
            break;
        default:
            out_ << "<rect x='" << x + 0.5 << "' y='" << y + 0.5 << "' width='" << w - 1
                 << "' height='" << h - 1
                 << "' fill='none' stroke='#999' stroke-dasharray='3 2'/>\n";
            clipped(x + 3, y, w - 6, h, c->className, kGrey);
            break;
        }
    }

private:
    void text(int x, int baseline, const std::wstring& s, const char* color, const char* anchor) {
        if (s.empty()) {
            return;
        }
        out_ << "<text x='" << x << "' y='" << baseline << "' font-family=\"" << kFont
             << "\" font-size='" << fontSize_ << "' fill='" << color << "' text-anchor='" << anchor
             << "'>" << escaped(s) << "</text>\n";
    }

    // Text left-aligned and vertically centred in a box, cut at the box's edges.
    void clipped(int x, int y, int w, int h, const std::wstring& s, const char* color) {
        if (s.empty() || w <= 0 || h <= 0) {
            return;
        }
        out_ << "<svg x='" << x << "' y='" << y << "' width='" << w << "' height='" << h
             << "' overflow='hidden'>";
        out_ << "<text x='0' y='" << h / 2 + fontSize_ * 4 / 10 << "' font-family=\"" << kFont
             << "\" font-size='" << fontSize_ << "' fill='" << color << "'>" << escaped(s)
             << "</text></svg>\n";
    }

    void box(int x, int y, int w, int h, const char* fill, const char* stroke) {
        out_ << "<rect x='" << x + 0.5 << "' y='" << y + 0.5 << "' width='" << w - 1 << "' height='"
             << h - 1 << "' fill='" << fill << "' stroke='" << stroke << "'/>\n";
    }

    void focusRect(int x, int y, int w, int h) {
        out_ << "<rect x='" << x + 0.5 << "' y='" << y + 0.5 << "' width='" << w - 1 << "' height='"
             << h - 1 << "' fill='none' stroke='#000' stroke-dasharray='1 1'/>\n";
    }

    void picture(const Window* c, int x, int y, int w, int h) {
        const BitmapBits bits = findBitmap(c->resources, c->imageId);
        const std::string png = bitmapToPng(bits);
        if (png.empty()) {
            out_ << "<rect x='" << x + 0.5 << "' y='" << y + 0.5 << "' width='" << w - 1
                 << "' height='" << h - 1 << "' fill='#ffffff' stroke='#999'/>\n";
            clipped(x + 3, y, w - 6, 2 * fontSize_, L"bitmap " + std::to_wstring(c->imageId),
                    kGrey);
            return;
        }
        out_ << "<image x='" << x << "' y='" << y << "' width='" << bits.width << "' height='"
             << std::abs(bits.height) << "' href='data:image/png;base64," << base64(png) << "'/>\n";
    }

    const Window* d_;
    std::ostringstream& out_;
    POINT origin_{};
    int fontSize_ = 12;
};

bool drawnFirst(const Window* c) {
    return c->kind == Kind::Picture || c->kind == Kind::GroupBox;
}

} // namespace

std::wstring writeDialogPicture(const Window* dialog) {
    if (gPictureFolder.empty() || dialog == nullptr) {
        return L"";
    }
    const std::string svg = renderDialogSvg(handleOf(dialog));
    ++gPictureCount;
    const int id = dialog->dialogTemplate != nullptr ? dialog->dialogTemplate->id : 0;
    const std::filesystem::path folder(kz::wideToUtf8(gPictureFolder));
    const std::filesystem::path file =
        folder / ("dialog-" + std::to_string(id) + "-" + std::to_string(gPictureCount) + ".svg");
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::ofstream out(file, std::ios::binary);
    out << svg;
    out.close();
    if (!out) {
        hostWrite(L"** the picture of " + dialogTitle(dialog) + L" could not be written to " +
                  kz::utf8ToWide(file.string()) + L"\n");
        return L"";
    }
    return kz::utf8ToWide(file.string());
}

} // namespace kz::ui

void kz::setDialogPictureFolder(const std::wstring& folder) {
    ui::gPictureFolder = folder;
    ui::gPictureCount = 0;
}

std::string kz::renderDialogSvg(HWND dialog) {
    using namespace kz::ui;
    const Window* d = find(dialog);
    if (d == nullptr) {
        return {};
    }
    const int width = d->rect.right - d->rect.left;
    const int height = d->rect.bottom - d->rect.top;
    std::ostringstream out;
    out << "<svg xmlns='http://www.w3.org/2000/svg' width='" << width << "' height='" << height
        << "' viewBox='0 0 " << width << ' ' << height << "'>\n";
    out << "<title>" << escaped(dialogTitle(d) + (d->text.empty() ? L"" : L" " + d->text))
        << "</title>\n";
    Painter painter(d, out);
    painter.frame();
    for (int pass = 0; pass < 2; ++pass) {
        for (const Window* c : d->children) {
            if (c->visible && drawnFirst(c) == (pass == 0)) {
                painter.control(c);
            }
        }
    }
    out << "</svg>\n";
    return out.str();
}
