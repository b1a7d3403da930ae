// Artwork and geometry of the shipped skins. Each skin keeps one palette; its buttons share one shape per size, and
// the Hover and Clicked looks are lighter and pressed-in versions of the Default look.
#include "tools/skingen/SkinArt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <functional>
#include <utility>

#include "model/base/NativePath.h"
#include "tools/skingen/Canvas.h"
#include "tools/skingen/Font5x7.h"

namespace cl::skingen {

namespace {

constexpr Rgb kMagenta = 0xFF00FF;
constexpr SkinColor kMaskColor{255, 0, 255};

SkinColor ToSkin(Rgb c) {
    return {static_cast<std::int32_t>(c >> 16 & 0xFF), static_cast<std::int32_t>(c >> 8 & 0xFF),
            static_cast<std::int32_t>(c & 0xFF)};
}

// Where a button sits in the window; its three looks are laid side by side in one row of the button bitmap.
struct ButtonPlan {
    int width;
    int height;
    int destX;
    int destY;
};

enum class Icon { Menu, Minimize, Close };

using DrawLook = std::function<void(Canvas&, const Shape& cell, std::size_t button, ButtonLook look)>;

// Lays out the button bitmap (one row per button, one column per look), records the geometry in the script and has
// each look drawn into its cell.
BgrImage MakeButtonSheet(SkinScript& s, const std::array<ButtonPlan, kSkinButtonCount>& plans, const DrawLook& draw) {
    int column = 0;
    int height = 0;
    for (const ButtonPlan& p : plans) {
        column = std::max(column, p.width);
        height += p.height;
    }
    BgrImage sheet(column * static_cast<int>(kButtonLookCount), height);
    Canvas c(sheet);
    c.Fill(kMagenta);
    int y = 0;
    for (std::size_t b = 0; b < kSkinButtonCount; ++b) {
        const ButtonPlan& p = plans[b];
        for (std::size_t l = 0; l < kButtonLookCount; ++l) {
            const int x = column * static_cast<int>(l);
            s.buttons[b].looks[l] = {x, y, p.destX, p.destY, p.width, p.height};
            draw(c, Shape{x, y, x + p.width, y + p.height}, b, static_cast<ButtonLook>(l));
        }
        y += p.height;
    }
    return sheet;
}

void DrawIcon(Canvas& c, Icon icon, double cx, double cy, double size, double stroke, Rgb colour) {
    const double h = size / 2;
    switch (icon) {
        case Icon::Menu:
            for (int i = -1; i <= 1; ++i) c.Line(cx - h, cy + i * h * 0.7, cx + h, cy + i * h * 0.7, stroke, colour);
            break;
        case Icon::Minimize:
            c.Line(cx - h, cy + h * 0.6, cx + h, cy + h * 0.6, stroke, colour);
            break;
        case Icon::Close:
            c.Line(cx - h, cy - h, cx + h, cy + h, stroke, colour);
            c.Line(cx - h, cy + h, cx + h, cy - h, stroke, colour);
            break;
    }
}

Icon IconOf(std::size_t button) {
    return button == 0 ? Icon::Menu : button == 1 ? Icon::Minimize : Icon::Close;
}

// The words on the four big buttons: the tooltips without the trailing dots.
std::string_view Label(std::size_t button) {
    std::string_view t = kSkinButtons[button].tooltip;
    while (!t.empty() && t.back() == '.') t.remove_suffix(1);
    return t;
}

void FillAttributes(SkinScript& s, std::string_view name) {
    s.name = name;
    s.author = "CineLedger Artwork";
    s.email = "skins@cineledger.example";
    s.homepage = "http://www.cineledger.example/skins";
    s.screenshot = "Screenshot.jpg";
    s.mainBitmap = "Main.bmp";
    s.buttonBitmap = "Buttons.bmp";
    s.logo.bitmap = "Logo.bmp";
    s.logo.width = 310;
    s.logo.height = 200;
    s.mask = kMaskColor;
}

// Centres the logo in the list box, where it stands until the first list is shown.
void PlaceLogo(SkinScript& s) {
    s.logo.x = s.listBox.x + (s.listBox.width - s.logo.width) / 2;
    s.logo.y = s.listBox.y + (s.listBox.height - s.logo.height) / 2;
}

// ---- Midnight: deep blue glass, amber lettering, round window corners, round title buttons, pill buttons. ----

namespace midnight {

constexpr Rgb kEdge = 0x45557D;
constexpr Rgb kTop = 0x1E2740;
constexpr Rgb kBottom = 0x0B0F19;
constexpr Rgb kTitleTop = 0x2C3A5E;
constexpr Rgb kTitleBottom = 0x1A2238;
constexpr Rgb kPanel = 0x0A0D16;
constexpr Rgb kPanelEdge = 0x34426A;
constexpr Rgb kStatus = 0x141A2A;
constexpr Rgb kAmber = 0xF2B84B;
constexpr Rgb kText = 0xDCE4F4;
constexpr Rgb kMuted = 0x8EA0C4;

void DrawButton(Canvas& c, const Shape& cell, std::size_t button, ButtonLook look) {
    const int press = look == ButtonLook::Clicked ? 1 : 0;
    if (button < 3) {
        const double r = cell.Width() / 2.0;
        const double cx = cell.left + r;
        const double cy = cell.top + r;
        const bool close = button == 2;
        const Rgb ring = look == ButtonLook::Default ? 0x5A6E99 : kAmber;
        const Rgb face = look == ButtonLook::Default ? 0x27324F
                         : look == ButtonLook::Hover ? (close ? 0xB23A4A : 0x3C4E7C)
                                                     : (close ? 0x7A2030 : 0x121826);
        const Rgb ink = look == ButtonLook::Clicked ? kAmber : look == ButtonLook::Hover ? 0xFFFFFF : kText;
        c.Disc(cx, cy, r, ring);
        c.Disc(cx, cy, r - 2, face);
        DrawIcon(c, IconOf(button), cx + press, cy + press, r * 0.8, 2.2, ink);
        return;
    }
    const Shape pill{cell.left, cell.top, cell.right, cell.bottom, cell.Height() / 2};
    const Rgb border = look == ButtonLook::Default ? 0x4A5C88 : kAmber;
    c.FillShape(pill, border);
    switch (look) {
        case ButtonLook::Default:
            c.FillShapeGradient(pill.Inset(2), 0x33426A, 0x1C2540);
            c.TextCentred(pill, Label(button), 2, kText);
            break;
        case ButtonLook::Hover:
            c.FillShapeGradient(pill.Inset(2), 0x4A5F96, 0x2A3860);
            c.TextCentred(pill, Label(button), 2, 0xFFFFFF);
            break;
        case ButtonLook::Clicked:
            c.FillShapeGradient(pill.Inset(2), 0x0E1322, 0x222C48);
            c.TextCentred(pill, Label(button), 2, kAmber, press, press);
            break;
    }
}

void DrawFilmStrip(Canvas& c, int left, int top, int width, int height, Rgb film, Rgb hole) {
    c.FillShape(Shape{left, top, left + width, top + height, 0}, film);
    for (int x = left + 6; x + 8 <= left + width - 4; x += 16) {
        c.FillShape(Shape{x, top + 4, x + 8, top + 10, 2}, hole);
        c.FillShape(Shape{x, top + height - 10, x + 8, top + height - 4, 2}, hole);
    }
}

BgrImage Logo() {
    BgrImage img(310, 200);
    Canvas c(img);
    c.FillShapeGradient(Shape{0, 0, 310, 200}, 0x151C30, 0x0A0D16);
    DrawFilmStrip(c, 0, 14, 310, 32, 0x05070C, 0x2A3452);
    DrawFilmStrip(c, 0, 154, 310, 32, 0x05070C, 0x2A3452);
    const Shape band{0, 46, 310, 154};
    c.TextCentred(band, "CineLedger", 4, 0x6B4F1C, 2, -10);  // shadow
    c.TextCentred(band, "CineLedger", 4, kAmber, 0, -12);
    c.TextCentred(band, "your movie collection", 1, kMuted, 0, 24);
    return img;
}

}  // namespace midnight

}  // namespace

GeneratedSkin MakeMidnight() {
    using namespace midnight;
    GeneratedSkin g;
    SkinScript& s = g.script;
    FillAttributes(s, "Midnight");
    s.windowWidth = 640;
    s.windowHeight = 480;
    s.listBox = {426, 326, 190, 66, ToSkin(kText), ToSkin(kPanel)};
    PlaceLogo(s);
    s.status[0] = {30, 416, 290, 18, 2, 1, ToSkin(kAmber)};
    s.status[1] = {30, 438, 290, 18, 2, 1, ToSkin(kText)};
    s.status[2] = {330, 416, 280, 40, 2, 1, ToSkin(kMuted)};

    g.main = BgrImage(s.windowWidth, s.windowHeight);
    Canvas c(g.main);
    const Shape window{0, 0, s.windowWidth, s.windowHeight, 26};
    c.FillShape(window, kEdge);
    c.FillShapeGradient(window.Inset(2), kTop, kBottom);
    c.FillShapeGradient(Shape{2, 2, s.windowWidth - 2, 46, 24}, kTitleTop, kTitleBottom);
    c.FillShape(Shape{2, 46, s.windowWidth - 2, 48}, kEdge);
    c.Text(26, 13, "CineLedger", 3, 0x6B4F1C, 1);
    c.Text(24, 11, "CineLedger", 3, kAmber, 1);
    // The list panel, one pixel wider than the list box all round.
    c.FillShape(Shape{s.listBox.x - 4, s.listBox.y - 4, s.listBox.x + s.listBox.width + 4,
                      s.listBox.y + s.listBox.height + 4, 6},
                kPanelEdge);
    c.FillShape(Shape{s.listBox.x - 2, s.listBox.y - 2, s.listBox.x + s.listBox.width + 2,
                      s.listBox.y + s.listBox.height + 2, 4},
                kPanel);
    // A film strip under the big buttons, for the look of it.
    midnight::DrawFilmStrip(c, 24, 276, 146, 110, 0x05070C, 0x26304C);
    for (int i = 0; i < 3; ++i) {
        c.FillShapeGradient(Shape{38 + i * 40, 294, 66 + i * 40 + 4, 368, 2}, 0x2C3A5E, 0x161D30);
    }
    // The status panel: flat, since the status fields copy their background from it.
    c.FillShape(Shape{20, 408, s.windowWidth - 20, 464, 6}, kPanelEdge);
    c.FillShape(Shape{22, 410, s.windowWidth - 22, 462, 4}, kStatus);
    c.ClearOutside(window, kMagenta);

    const std::array<ButtonPlan, kSkinButtonCount> plans = {{
        {24, 24, 532, 11},
        {24, 24, 564, 11},
        {24, 24, 596, 11},
        {150, 38, 22, 70},
        {150, 38, 22, 118},
        {150, 38, 22, 166},
        {150, 38, 22, 214},
    }};
    g.buttons = MakeButtonSheet(s, plans, midnight::DrawButton);
    g.logo = midnight::Logo();
    return g;
}

// ---- Paper: cream card with a folder tab, ink lettering and red accents, cut corners throughout. ----

namespace {
namespace paper {

constexpr Rgb kBody = 0xF3ECD8;
constexpr Rgb kTab = 0xE6D9B8;
constexpr Rgb kInk = 0x2B2A28;
constexpr Rgb kRed = 0xB3412F;
constexpr Rgb kEdge = 0x7D715A;
constexpr Rgb kSheet = 0xFFFDF6;
constexpr Rgb kStatus = 0xE9DFC4;
constexpr Rgb kFaded = 0x5E5444;

void DrawButton(Canvas& c, const Shape& cell, std::size_t button, ButtonLook look) {
    const int press = look == ButtonLook::Clicked ? 1 : 0;
    const Shape outer{cell.left, cell.top, cell.right, cell.bottom, 0, button < 3 ? 6 : 9};
    const Rgb border = look == ButtonLook::Hover ? kRed : kInk;
    const Rgb face = look == ButtonLook::Default ? 0xEADFC2 : look == ButtonLook::Hover ? 0xFFF7E0 : kInk;
    const Rgb ink = look == ButtonLook::Default ? kInk : look == ButtonLook::Hover ? kRed : kBody;
    c.FillShape(outer, border);
    c.FillShape(outer.Inset(2), face);
    if (button < 3) {
        const double cx = cell.left + cell.Width() / 2.0;
        const double cy = cell.top + cell.Height() / 2.0;
        DrawIcon(c, IconOf(button), cx + press, cy + press, cell.Width() * 0.42, 2.0, ink);
    } else {
        if (look == ButtonLook::Default) {
            c.Line(outer.left + 10, outer.bottom - 6, outer.right - 10, outer.bottom - 6, 1, 0xCDBE98);
        }
        c.TextCentred(outer, Label(button), 2, ink, press, press - 1);
    }
}

BgrImage Logo() {
    BgrImage img(310, 200);
    Canvas c(img);
    c.Fill(kSheet);
    // A ticket: ink frame with cut corners, dotted perforation, red rules.
    const Shape ticket{8, 8, 302, 192, 0, 14};
    c.FillShape(ticket, kInk);
    c.FillShape(ticket.Inset(2), 0xF7F0DC);
    for (int y = 20; y < 182; y += 8) c.Disc(250, y, 1.6, kEdge);
    c.Line(24, 64, 232, 64, 2, kRed);
    c.Line(24, 136, 232, 136, 2, kRed);
    c.TextCentred(Shape{16, 64, 240, 136}, "CineLedger", 3, kInk, 0, -6);
    c.TextCentred(Shape{16, 64, 240, 136}, "ADMIT ONE", 1, kRed, 0, 20);
    c.Text(24, 148, "movies you own", 1, kFaded);
    c.Text(24, 160, "movies you lend", 1, kFaded);
    c.Text(24, 172, "movies you want", 1, kFaded);
    // The stub, lettered upwards is beyond the font; a big star will do.
    for (int i = 0; i < 5; ++i) {
        const double a0 = -1.5708 + i * 2.5133;
        const double a1 = a0 + 2.5133;
        c.Line(275 + 16 * std::cos(a0), 100 + 16 * std::sin(a0), 275 + 16 * std::cos(a1), 100 + 16 * std::sin(a1), 2.5,
               kRed);
    }
    return img;
}

}  // namespace paper
}  // namespace

GeneratedSkin MakePaper() {
    using namespace paper;
    GeneratedSkin g;
    SkinScript& s = g.script;
    FillAttributes(s, "Paper");
    s.windowWidth = 600;
    s.windowHeight = 450;
    s.listBox = {552, 244, 24, 124, ToSkin(kInk), ToSkin(kSheet)};
    PlaceLogo(s);
    s.status[0] = {30, 390, 270, 18, 2, 1, ToSkin(kRed)};
    s.status[1] = {30, 412, 270, 18, 2, 1, ToSkin(kInk)};
    s.status[2] = {310, 390, 260, 40, 2, 1, ToSkin(kFaded)};

    g.main = BgrImage(s.windowWidth, s.windowHeight);
    Canvas c(g.main);
    c.Fill(kMagenta);
    // A folder: a tab carrying the name over a card with cut corners.
    const Shape tab{0, 0, 250, 40, 0, 12};
    const Shape card{0, 26, s.windowWidth, s.windowHeight, 0, 16};
    c.FillShape(tab, kEdge);
    c.FillShape(tab.Inset(2), kTab);
    c.FillShape(card, kEdge);
    c.FillShape(card.Inset(2), kBody);
    c.FillShape(Shape{2, 26, 248, 34}, kTab);
    c.Text(20, 7, "CineLedger", 2, kInk, 2);
    c.Line(20, 24, 150, 24, 2, kRed);
    // Faint ruling across the card, as on an index card.
    for (int y = 64; y < 116; y += 12) c.Line(16, y, s.windowWidth - 16, y, 1, 0xE4DAC2);
    c.FillShape(Shape{s.listBox.x - 4, s.listBox.y - 4, s.listBox.x + s.listBox.width + 4,
                      s.listBox.y + s.listBox.height + 4, 0, 6},
                kInk);
    c.FillShape(Shape{s.listBox.x - 2, s.listBox.y - 2, s.listBox.x + s.listBox.width + 2,
                      s.listBox.y + s.listBox.height + 2, 0, 4},
                kSheet);
    c.FillShape(Shape{20, 382, s.windowWidth - 20, 438, 0, 6}, kEdge);
    c.FillShape(Shape{21, 383, s.windowWidth - 21, 437, 0, 5}, kStatus);
    // Keep the outline exact whatever was drawn near the edges.
    for (int y = 0; y < s.windowHeight; ++y)
        for (int x = 0; x < s.windowWidth; ++x) {
            if (!tab.Inside(x, y) && !card.Inside(x, y)) g.main.Set(x, y, kMagenta);
        }

    const std::array<ButtonPlan, kSkinButtonCount> plans = {{
        {26, 26, 492, 36},
        {26, 26, 524, 36},
        {26, 26, 556, 36},
        {134, 34, 17, 74},
        {134, 34, 161, 74},
        {134, 34, 305, 74},
        {134, 34, 449, 74},
    }};
    g.buttons = MakeButtonSheet(s, plans, paper::DrawButton);
    g.logo = paper::Logo();
    return g;
}

std::vector<GeneratedSkin> AllSkins() {
    std::vector<GeneratedSkin> skins;
    skins.push_back(MakeMidnight());
    skins.push_back(MakePaper());
    return skins;
}

bool WriteSkin(const GeneratedSkin& skin, const std::filesystem::path& skinsDir,
               const std::filesystem::path& screenshots, std::string& error) {
    const std::filesystem::path dir = skinsDir / skin.script.name;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        error = "cannot create " + NativeFromPath(dir) + ": " + ec.message();
        return false;
    }
    const std::string script = SerializeSkinScript(skin.script);
    const std::pair<const BgrImage*, const std::string*> images[] = {
        {&skin.main, &skin.script.mainBitmap},
        {&skin.buttons, &skin.script.buttonBitmap},
        {&skin.logo, &skin.script.logo.bitmap},
    };
    for (const auto& [image, file] : images) {
        if (!WriteBmpFile(dir / *file, *image, error)) {
            error = NativeFromPath(dir / *file) + ": " + error;
            return false;
        }
    }
    // The screenshot is a picture of the program itself in the skin, taken once and kept with the sources.
    // Removed first: MinGW's copy_file refuses to overwrite even when told to.
    std::filesystem::remove(dir / skin.script.screenshot, ec);
    std::filesystem::copy_file(screenshots / (skin.script.name + ".jpg"), dir / skin.script.screenshot, ec);
    if (ec) {
        error = "cannot copy the screenshot of " + skin.script.name + ": " + ec.message();
        return false;
    }
    std::ofstream out(dir / (skin.script.name + ".lsk"), std::ios::binary | std::ios::trunc);
    out.write(script.data(), static_cast<std::streamsize>(script.size()));
    out.close();
    if (!out) {
        error = "cannot write the script of " + skin.script.name;
        return false;
    }
    return true;
}

bool GenerateSkins(const std::filesystem::path& out, const std::filesystem::path& screenshots, std::string& error) {
    for (const GeneratedSkin& skin : AllSkins()) {
        if (!WriteSkin(skin, out / "Skins", screenshots, error)) return false;
    }
    const std::string ini = SerializeSkinIni(kDefaultSkin);
    std::ofstream f(out / std::string(kSkinIniFile), std::ios::binary | std::ios::trunc);
    f.write(ini.data(), static_cast<std::streamsize>(ini.size()));
    f.close();
    if (!f) {
        error = "cannot write " + NativeFromPath(out / std::string(kSkinIniFile));
        return false;
    }
    return true;
}

}  // namespace cl::skingen
