// Draws the welcome picture of setup: a 445 x 155 banner reading "Welcome to
// Velorin", written as an uncompressed 8-bit BMP with a 256-colour palette.
// Deterministic: the same program always writes the same bytes.
//
//   make_welcome_bitmap OUT.bmp
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const int WIDTH = 445;
const int HEIGHT = 155;

// Palette layout: the background gradient, the same gradient darkened for the
// text's shadow, then the text's own shades.
const int BACKGROUND_SHADES = 128;   // 0..127
const int SHADOW_BASE = 128;         // 128..191: background index / 2, darkened
const int TEXT_BASE = 192;           // 192..255

struct Glyph {
    char ch;
    const char* rows[7];
};

// A 5 x 7 face with just the letters the banner needs.
const Glyph FONT[] = {
    {'W', {"X...X", "X...X", "X...X", "X.X.X", "X.X.X", "XX.XX", "X...X"}},
    {'V', {"X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."}},
    {'O', {".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."}},
    {'N', {"X...X", "X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X"}},
    {'a', {".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"}},
    {'c', {".....", ".....", ".XXX.", "X....", "X....", "X...X", ".XXX."}},
    {'e', {".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXX."}},
    {'i', {"..X..", ".....", ".XX..", "..X..", "..X..", "..X..", ".XXX."}},
    {'k', {"X....", "X....", "X..X.", "X.X..", "XX...", "X.X..", "X..X."}},
    {'l', {".XX..", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."}},
    {'m', {".....", ".....", "XX.X.", "X.X.X", "X.X.X", "X.X.X", "X...X"}},
    {'n', {".....", ".....", "X.XX.", "XX..X", "X...X", "X...X", "X...X"}},
    {'o', {".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."}},
    {'r', {".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."}},
    {'t', {".X...", ".X...", "XXXX.", ".X...", ".X...", ".X..X", "..XX."}},
    {'v', {".....", ".....", "X...X", "X...X", "X...X", ".X.X.", "..X.."}},
    {'w', {".....", ".....", "X...X", "X...X", "X.X.X", "X.X.X", ".X.X."}},
};

const Glyph* FindGlyph(char ch)
{
    for (const Glyph& g : FONT)
        if (g.ch == ch)
            return &g;
    return nullptr;
}

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb BackgroundColour(int shade)
{
    const Rgb navy = {12, 28, 78};
    const Rgb teal = {18, 132, 150};
    return Mix(navy, teal, shade / double(BACKGROUND_SHADES - 1));
}

int TextWidth(const char* text, int scale)
{
    return int(std::strlen(text)) * 6 * scale - scale;
}

void DrawText(std::vector<uint8_t>& pixels, const char* text, int x0, int y0, int scale)
{
    const int shadow = scale > 3 ? scale / 2 : 1;
    for (int pass = 0; pass < 2; ++pass) {   // shadow first, then the letters
        int x = x0 + (pass == 0 ? shadow : 0);
        int y = y0 + (pass == 0 ? shadow : 0);
        for (const char* p = text; *p; ++p, x += 6 * scale) {
            const Glyph* glyph = FindGlyph(*p);
            if (!glyph)
                continue;
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col) {
                    if (glyph->rows[row][col] != 'X')
                        continue;
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx) {
                            int px = x + col * scale + dx, py = y + row * scale + dy;
                            if (px < 0 || py < 0 || px >= WIDTH || py >= HEIGHT)
                                continue;
                            uint8_t& pixel = pixels[py * WIDTH + px];
                            if (pass == 0) {
                                if (pixel < BACKGROUND_SHADES)
                                    pixel = uint8_t(SHADOW_BASE + pixel / 2);
                            } else {
                                // Letters shade from white at the top to pale gold at the foot.
                                int shade = (row * scale + dy) * 63 / (7 * scale - 1);
                                pixel = uint8_t(TEXT_BASE + shade);
                            }
                        }
                }
        }
    }
}

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_welcome_bitmap OUT.bmp\n");
        return 2;
    }

    std::vector<uint8_t> pixels(WIDTH * HEIGHT);
    // A diagonal gradient crossed by three faint orbits around a point off the right edge.
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            double t = 0.65 * x / (WIDTH - 1) + 0.35 * y / (HEIGHT - 1);
            int shade = int(t * (BACKGROUND_SHADES - 1) + 0.5);
            double distance = std::hypot(x - 470.0, (y - 70.0) * 1.8);
            for (double radius : {120.0, 180.0, 240.0})
                if (std::fabs(distance - radius) < 1.6)
                    shade += 22;
            pixels[y * WIDTH + x] = uint8_t(shade > BACKGROUND_SHADES - 1 ? BACKGROUND_SHADES - 1 : shade);
        }
    DrawText(pixels, "Welcome to", 26, 16, 4);
    DrawText(pixels, "Velorin", 26, 54, 9);
    DrawText(pixels, "Orvanta Network", WIDTH - 14 - TextWidth("Orvanta Network", 2), 132, 2);

    const int stride = (WIDTH + 3) & ~3;
    const uint32_t paletteSize = 256 * 4, headerSize = 14 + 40;
    const uint32_t imageSize = stride * HEIGHT;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerSize + paletteSize + imageSize);
    Put32(out, 0);
    Put32(out, headerSize + paletteSize);
    Put32(out, 40);
    Put32(out, WIDTH);
    Put32(out, HEIGHT);
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);          // BI_RGB: uncompressed
    Put32(out, imageSize);
    Put32(out, 2835);       // 72 dpi
    Put32(out, 2835);
    Put32(out, 256);
    Put32(out, 256);
    for (int i = 0; i < 256; ++i) {
        Rgb c;
        if (i < SHADOW_BASE)
            c = BackgroundColour(i);
        else if (i < TEXT_BASE)
            c = Mix(BackgroundColour((i - SHADOW_BASE) * 2), Rgb{0, 0, 0}, 0.55);
        else
            c = Mix(Rgb{255, 255, 255}, Rgb{250, 214, 120}, (i - TEXT_BASE) / 63.0);
        out.push_back(uint8_t(c.b + 0.5));
        out.push_back(uint8_t(c.g + 0.5));
        out.push_back(uint8_t(c.r + 0.5));
        out.push_back(0);
    }
    for (int y = HEIGHT - 1; y >= 0; --y) {   // bottom-up rows
        for (int x = 0; x < WIDTH; ++x)
            out.push_back(pixels[y * WIDTH + x]);
        for (int pad = WIDTH; pad < stride; ++pad)
            out.push_back(0);
    }

    FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "make_welcome_bitmap: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
