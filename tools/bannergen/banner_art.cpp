// The banner picture: its colour table and its 8-bit pixels, drawn from shapes with integer arithmetic only.
//
// Integers only, so that every compiler and every optimisation level draws
// the same bytes and the committed resources/banner.bmp can be checked.
#include "banner_art.h"

#include <stddef.h>
#include <stdint.h>

namespace {

// Shapes are placed in eighths of a pixel; each pixel is sampled at 4 x 4
// points, and a layer's colour is mixed in by the share of points it covers.
constexpr int64_t Sub = 8;
constexpr int SamplesPerAxis = 4;
constexpr int Samples = SamplesPerAxis * SamplesPerAxis;

enum ShapeKind { Capsule, Ring, Box };

struct Shape {
    ShapeKind kind;
    int64_t x0, y0, x1, y1;  // capsule: its segment; box: corners (end exclusive); ring: centre in x0, y0
    int64_t radius;          // capsule: half the stroke; ring: outer radius
    int64_t inner;           // ring: inner radius
    unsigned octants;        // ring: bit i keeps octant i, counted anticlockwise from the right
};

struct Layer {
    PaletteEntry colour;
    std::vector<Shape> shapes;
};

struct Rgb {
    int red, green, blue;
};

Shape MakeCapsule(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int64_t radius) {
    return Shape{Capsule, x0, y0, x1, y1, radius, 0, 0};
}

Shape MakeRing(int64_t cx, int64_t cy, int64_t inner, int64_t outer, unsigned octants) {
    return Shape{Ring, cx, cy, cx, cy, outer, inner, octants};
}

Shape MakeBox(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    return Shape{Box, x0, y0, x1, y1, 0, 0, 0};
}

// Octant of (dx, up), 0 starting at the right and going anticlockwise.
unsigned Octant(int64_t dx, int64_t up) {
    if (up >= 0) {
        if (dx > 0) return up < dx ? 0 : 1;
        return up > -dx ? 2 : 3;
    }
    if (dx < 0) return -up < -dx ? 4 : 5;
    return -up > dx ? 6 : 7;
}

bool Inside(const Shape& shape, int64_t x, int64_t y) {
    switch (shape.kind) {
    case Box:
        return x >= shape.x0 && x < shape.x1 && y >= shape.y0 && y < shape.y1;
    case Ring: {
        const int64_t dx = x - shape.x0;
        const int64_t dy = y - shape.y0;
        const int64_t d2 = dx * dx + dy * dy;
        if (d2 > shape.radius * shape.radius || d2 < shape.inner * shape.inner) return false;
        return (shape.octants >> Octant(dx, -dy)) & 1u;
    }
    case Capsule: {
        const int64_t ex = shape.x1 - shape.x0;
        const int64_t ey = shape.y1 - shape.y0;
        const int64_t px = x - shape.x0;
        const int64_t py = y - shape.y0;
        const int64_t r2 = shape.radius * shape.radius;
        const int64_t length2 = ex * ex + ey * ey;
        const int64_t along = px * ex + py * ey;
        if (along <= 0 || length2 == 0) return px * px + py * py <= r2;
        if (along >= length2) {
            const int64_t qx = x - shape.x1;
            const int64_t qy = y - shape.y1;
            return qx * qx + qy * qy <= r2;
        }
        const int64_t cross = px * ey - py * ex;
        return cross * cross <= r2 * length2;
    }
    }
    return false;
}

void Bounds(const Shape& shape, int64_t* left, int64_t* top, int64_t* right, int64_t* bottom) {
    switch (shape.kind) {
    case Box:
        *left = shape.x0; *top = shape.y0; *right = shape.x1; *bottom = shape.y1;
        return;
    case Ring:
        *left = shape.x0 - shape.radius; *right = shape.x0 + shape.radius + 1;
        *top = shape.y0 - shape.radius; *bottom = shape.y0 + shape.radius + 1;
        return;
    case Capsule:
        *left = (shape.x0 < shape.x1 ? shape.x0 : shape.x1) - shape.radius;
        *right = (shape.x0 < shape.x1 ? shape.x1 : shape.x0) + shape.radius + 1;
        *top = (shape.y0 < shape.y1 ? shape.y0 : shape.y1) - shape.radius;
        *bottom = (shape.y0 < shape.y1 ? shape.y1 : shape.y0) + shape.radius + 1;
        return;
    }
}

int Mix(int under, int over, int covered) {
    return (under * (Samples - covered) + over * covered + Samples / 2) / Samples;
}

void Paint(std::vector<Rgb>& image, const Layer& layer) {
    int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    for (const Shape& shape : layer.shapes) {
        int64_t l = 0, t = 0, r = 0, b = 0;
        Bounds(shape, &l, &t, &r, &b);
        if (l < left) left = l;
        if (t < top) top = t;
        if (r > right) right = r;
        if (b > bottom) bottom = b;
    }
    const int x0 = left / Sub < 0 ? 0 : static_cast<int>(left / Sub);
    const int y0 = top / Sub < 0 ? 0 : static_cast<int>(top / Sub);
    const int x1 = right / Sub + 1 > BannerWidth ? BannerWidth : static_cast<int>(right / Sub + 1);
    const int y1 = bottom / Sub + 1 > BannerHeight ? BannerHeight : static_cast<int>(bottom / Sub + 1);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int covered = 0;
            for (int sy = 0; sy < SamplesPerAxis; ++sy) {
                for (int sx = 0; sx < SamplesPerAxis; ++sx) {
                    const int64_t px = x * Sub + sx * (Sub / SamplesPerAxis) + 1;
                    const int64_t py = y * Sub + sy * (Sub / SamplesPerAxis) + 1;
                    for (const Shape& shape : layer.shapes) {
                        if (Inside(shape, px, py)) {
                            ++covered;
                            break;
                        }
                    }
                }
            }
            if (covered == 0) continue;
            Rgb& pixel = image[static_cast<size_t>(y) * BannerWidth + x];
            pixel.red = Mix(pixel.red, layer.colour.red, covered);
            pixel.green = Mix(pixel.green, layer.colour.green, covered);
            pixel.blue = Mix(pixel.blue, layer.colour.blue, covered);
        }
    }
}

PaletteEntry Grey(int value) {
    return PaletteEntry{uint8_t(value), uint8_t(value), uint8_t(value)};
}

// The product name in a stroke font of lines and ring arcs on a grid of 6
// pixels, y counted up from the baseline; strokes are 2 grid units thick.
constexpr int64_t Grid = 6 * Sub;
constexpr unsigned AllOctants = 0xFF;
constexpr unsigned UpperHalf = 0x0F;

struct Stroke {
    bool ring;
    int x0, y0, x1, y1;  // a line; for a ring: centre x0, y0 and centre-line radius x1
    unsigned octants;
};

struct Glyph {
    int advance;
    std::vector<Stroke> strokes;
};

Stroke Line(int x0, int y0, int x1, int y1) {
    return Stroke{false, x0, y0, x1, y1, 0};
}

Stroke Arc(int cx, int cy, int radius, unsigned octants) {
    return Stroke{true, cx, cy, radius, 0, octants};
}

std::vector<Glyph> ProductName() {
    const Glyph V{10, {Line(0, 15, 5, 1), Line(5, 1, 10, 15)}};
    const Glyph e{10, {Arc(5, 5, 4, AllOctants & ~0x80u), Line(1, 5, 9, 5)}};
    const Glyph l{2, {Line(1, 1, 1, 15)}};
    const Glyph m{14, {Line(1, 1, 1, 9), Arc(4, 6, 3, UpperHalf), Line(7, 6, 7, 1), Arc(10, 6, 3, UpperHalf),
                       Line(13, 6, 13, 1)}};
    const Glyph o{10, {Arc(5, 5, 4, AllOctants)}};
    const Glyph n{10, {Line(1, 1, 1, 9), Arc(5, 5, 4, UpperHalf), Line(9, 5, 9, 1)}};
    const Glyph d{10, {Arc(5, 5, 4, AllOctants), Line(9, 1, 9, 15)}};
    return {V, e, l, m, o, n, d, o};
}

// Shapes of the product name with its left edge at `left` and its baseline
// at `baseline`, both in pixels.
std::vector<Shape> NameShapes(int left, int baseline) {
    std::vector<Shape> shapes;
    int64_t originX = left * Sub + Grid;  // the V's strokes reach one unit left of its origin
    const int64_t baseY = baseline * Sub;
    for (const Glyph& glyph : ProductName()) {
        for (const Stroke& stroke : glyph.strokes) {
            if (stroke.ring) {
                shapes.push_back(MakeRing(originX + stroke.x0 * Grid, baseY - stroke.y0 * Grid,
                                          (stroke.x1 - 1) * Grid, (stroke.x1 + 1) * Grid, stroke.octants));
            } else {
                shapes.push_back(MakeCapsule(originX + stroke.x0 * Grid, baseY - stroke.y0 * Grid,
                                             originX + stroke.x1 * Grid, baseY - stroke.y1 * Grid, Grid));
            }
        }
        originX += (glyph.advance + 3) * Grid;
    }
    return shapes;
}

std::vector<Shape> Offset(std::vector<Shape> shapes, int dx, int dy) {
    for (Shape& shape : shapes) {
        shape.x0 += dx * Sub;
        shape.x1 += dx * Sub;
        shape.y0 += dy * Sub;
        shape.y1 += dy * Sub;
    }
    return shapes;
}

// A magnifying glass over a page of text: the product searches files.
void AddMagnifier(std::vector<Layer>& layers) {
    const int64_t cx = 150 * Sub;
    const int64_t cy = 88 * Sub;
    layers.push_back({Grey(248), {MakeRing(cx, cy, 0, 50 * Sub, AllOctants)}});
    std::vector<Shape> lines;
    const int lineY[] = {64, 80, 96, 112};
    const int lineEnd[] = {182, 188, 176, 160};
    for (int i = 0; i < 4; ++i) {
        lines.push_back(MakeCapsule(112 * Sub, lineY[i] * Sub, lineEnd[i] * Sub, lineY[i] * Sub, 4 * Sub));
    }
    layers.push_back({Grey(206), lines});
    const PaletteEntry accent{70, 110, 170};
    layers.push_back({accent,
                      {MakeRing(cx, cy, 47 * Sub, 63 * Sub, AllOctants),
                       MakeCapsule(cx + 50 * Sub, cy + 50 * Sub, 228 * Sub, 172 * Sub, 13 * Sub)}});
    layers.push_back({PaletteEntry{160, 186, 222}, {MakeRing(cx, cy, 53 * Sub, 58 * Sub, 0x04)}});
}

// Three sheets fanned out at the right-hand end.
void AddSheets(std::vector<Layer>& layers) {
    const int left[] = {1090, 1170, 1250};
    const int top[] = {54, 38, 22};
    for (int i = 0; i < 3; ++i) {
        const int x = left[i];
        const int y = top[i];
        layers.push_back({Grey(208), {MakeBox(x * Sub, y * Sub, (x + 104) * Sub, (y + 136) * Sub)}});
        layers.push_back({Grey(243), {MakeBox((x + 3) * Sub, (y + 3) * Sub, (x + 101) * Sub, (y + 133) * Sub)}});
        std::vector<Shape> lines;
        for (int row = 0; row < 6; ++row) {
            const int lineY = y + 22 + row * 17;
            const int end = x + 84 - ((row * 23 + i * 11) % 30);
            lines.push_back(MakeCapsule((x + 16) * Sub, lineY * Sub, end * Sub, lineY * Sub, 3 * Sub));
        }
        layers.push_back({Grey(222), lines});
    }
}

uint8_t Nearest(const std::vector<PaletteEntry>& palette, const Rgb& colour) {
    int best = 1;
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 1; i < palette.size(); ++i) {
        const int64_t dr = palette[i].red - colour.red;
        const int64_t dg = palette[i].green - colour.green;
        const int64_t db = palette[i].blue - colour.blue;
        const int64_t distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

std::vector<PaletteEntry> BannerPalette() {
    std::vector<PaletteEntry> palette;
    palette.push_back(PaletteEntry{0, 0, 0});
    for (int grey = 120; grey <= 248; ++grey) palette.push_back(Grey(grey));
    const PaletteEntry dark{70, 110, 170};
    const PaletteEntry light{236, 236, 236};
    const int steps = BannerColourCount - static_cast<int>(palette.size());
    for (int i = 0; i < steps; ++i) {
        palette.push_back(PaletteEntry{uint8_t(dark.red + (light.red - dark.red) * i / (steps - 1)),
                                       uint8_t(dark.green + (light.green - dark.green) * i / (steps - 1)),
                                       uint8_t(dark.blue + (light.blue - dark.blue) * i / (steps - 1))});
    }
    return palette;
}

std::vector<uint8_t> DrawBanner(const std::vector<PaletteEntry>& palette) {
    std::vector<Rgb> image(static_cast<size_t>(BannerWidth) * BannerHeight);
    // Light on the left, darker toward the right: 247 down to 213.
    for (int y = 0; y < BannerHeight; ++y) {
        for (int x = 0; x < BannerWidth; ++x) {
            const int grey = 247 - x * 34 / (BannerWidth - 1);
            image[static_cast<size_t>(y) * BannerWidth + x] = Rgb{grey, grey, grey};
        }
    }

    std::vector<Layer> layers;
    AddMagnifier(layers);
    AddSheets(layers);
    const std::vector<Shape> name = NameShapes(300, 142);
    layers.push_back({Grey(212), Offset(name, 5, 5)});
    layers.push_back({Grey(120), name});
    layers.push_back({Grey(205), {MakeBox(0, (BannerHeight - 4) * Sub, BannerWidth * Sub, BannerHeight * Sub)}});
    for (const Layer& layer : layers) Paint(image, layer);

    std::vector<uint8_t> indices(image.size());
    for (size_t i = 0; i < image.size(); ++i) indices[i] = Nearest(palette, image[i]);
    return indices;
}
