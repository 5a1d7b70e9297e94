// Draws the program's icon and logo: a record card in front of its paler duplicate, with a
// green badge that carries a check mark. Shapes are signed-distance figures with analytic
// anti-aliasing, so every size is drawn sharp from the same description.
//
//   artgen <icon.ico> <logo.bmp>
//
// tools/make-art.sh builds and runs it; the results are committed under wizard/res/.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgba {
    double r, g, b, a;
};

struct Image {
    int w, h;
    std::vector<Rgba> px;
    Image(int w_, int h_) : w(w_), h(h_), px(size_t(w_) * h_, Rgba{0, 0, 0, 0}) {}
    Rgba& at(int x, int y) { return px[size_t(y) * w + x]; }
};

double RoundRect(double x, double y, double cx, double cy, double hw, double hh, double r) {
    double qx = std::fabs(x - cx) - hw + r, qy = std::fabs(y - cy) - hh + r;
    double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - r;
}

double Circle(double x, double y, double cx, double cy, double r) {
    return std::hypot(x - cx, y - cy) - r;
}

double Segment(double x, double y, double ax, double ay, double bx, double by, double halfWidth) {
    double px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    double t = std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - dx * t, py - dy * t) - halfWidth;
}

// Paints colour c where the distance d (in units of the image side) is inside, blending the
// edge over one pixel.
void Over(Rgba& dst, double d, double side, Rgba c) {
    double cover = std::clamp(0.5 - d * side, 0.0, 1.0) * c.a;
    if (cover <= 0)
        return;
    double a = cover + dst.a * (1 - cover);
    auto mix = [&](double s, double t) { return (s * cover + t * dst.a * (1 - cover)) / a; };
    dst = Rgba{mix(c.r, dst.r), mix(c.g, dst.g), mix(c.b, dst.b), a};
}

Rgba Rgb(int r, int g, int b) {
    return Rgba{r / 255.0, g / 255.0, b / 255.0, 1};
}

// The picture in a square of side n, its top-left corner at (ox, oy) in img.
void Draw(Image& img, int ox, int oy, int n) {
    const bool bSmall = n < 24;
    const double side = n;
    const double border = bSmall ? 1.2 / side : 0.035;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double u = (x + 0.5) / side, v = (y + 0.5) / side;
            Rgba& p = img.at(ox + x, oy + y);
            // The duplicate behind, up and to the right.
            double back = RoundRect(u, v, 0.60, 0.37, 0.30, 0.32, 0.07);
            Over(p, back, side, Rgb(40, 95, 180));
            Over(p, back + border, side, Rgb(180, 206, 242));
            // The record in front.
            double front = RoundRect(u, v, 0.40, 0.57, 0.30, 0.33, 0.07);
            Over(p, front - (bSmall ? 0.0 : 0.02), side, Rgba{1, 1, 1, 1});
            Over(p, front, side, Rgb(0, 64, 150));
            Over(p, front + border, side, Rgba{1, 1, 1, 1});
            // Its coloured head and, where there is room, its lines of text.
            double head = std::max(front + border, v - (0.24 + 0.13));
            Over(p, head, side, Rgb(0, 96, 196));
            if (!bSmall) {
                for (double ly : {0.50, 0.61, 0.72})
                    Over(p, Segment(u, v, 0.21, ly, ly > 0.7 ? 0.42 : 0.55, ly, 0.022), side,
                         Rgb(150, 162, 180));
            }
            // The badge: found and dealt with.
            double badge = Circle(u, v, 0.74, 0.75, 0.22);
            Over(p, badge - 0.03, side, Rgba{1, 1, 1, 1});
            Over(p, badge, side, Rgb(28, 150, 72));
            double hw = bSmall ? 0.05 : 0.035;
            double tick = std::min(Segment(u, v, 0.635, 0.76, 0.71, 0.835, hw),
                                   Segment(u, v, 0.71, 0.835, 0.845, 0.665, hw));
            Over(p, tick, side, Rgba{1, 1, 1, 1});
        }
    }
}

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
uint8_t Byte(double v) {
    return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255));
}

void InfoHeader(std::vector<uint8_t>& b, int w, int h, int bpp, uint32_t imageSize) {
    Put32(b, 40);
    Put32(b, uint32_t(w));
    Put32(b, uint32_t(h));
    Put16(b, 1);
    Put16(b, uint16_t(bpp));
    Put32(b, 0); // BI_RGB
    Put32(b, imageSize);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
}

// One icon image: 32-bit colour with alpha, bottom-up, then the AND mask.
std::vector<uint8_t> IconImage(int n) {
    Image img(n, n);
    Draw(img, 0, 0, n);
    std::vector<uint8_t> b;
    const int maskStride = ((n + 31) / 32) * 4;
    InfoHeader(b, n, 2 * n, 32, uint32_t(n * n * 4 + maskStride * n));
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            const Rgba& p = img.at(x, y);
            b.push_back(Byte(p.b));
            b.push_back(Byte(p.g));
            b.push_back(Byte(p.r));
            b.push_back(Byte(p.a));
        }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(maskStride), 0);
        for (int x = 0; x < n; ++x)
            if (Byte(img.at(x, y).a) == 0)
                row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

std::vector<uint8_t> Icon() {
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64};
    const int count = int(sizeof sizes / sizeof sizes[0]);
    std::vector<std::vector<uint8_t>> images;
    for (int n : sizes)
        images.push_back(IconImage(n));
    std::vector<uint8_t> b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, uint16_t(count));
    uint32_t offset = 6 + 16 * count;
    for (int i = 0; i < count; ++i) {
        b.push_back(uint8_t(sizes[i]));
        b.push_back(uint8_t(sizes[i]));
        b.push_back(0);
        b.push_back(0);
        Put16(b, 1);
        Put16(b, 32);
        Put32(b, uint32_t(images[size_t(i)].size()));
        Put32(b, offset);
        offset += uint32_t(images[size_t(i)].size());
    }
    for (const auto& img : images)
        b.insert(b.end(), img.begin(), img.end());
    return b;
}

// The 75 x 73 logo on white, 24-bit.
std::vector<uint8_t> Logo() {
    const int w = 75, h = 73;
    Image img(w, h);
    Draw(img, 1, 0, 73);
    const int stride = ((w * 3 + 3) / 4) * 4;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    Put32(b, uint32_t(14 + 40 + stride * h));
    Put32(b, 0);
    Put32(b, 14 + 40);
    InfoHeader(b, w, h, 24, uint32_t(stride * h));
    for (int y = h - 1; y >= 0; --y) {
        int n = 0;
        for (int x = 0; x < w; ++x, n += 3) {
            const Rgba& p = img.at(x, y);
            // On white: what the picture does not cover stays white.
            auto on = [&](double c) { return Byte(c * p.a + (1 - p.a)); };
            b.push_back(on(p.b));
            b.push_back(on(p.g));
            b.push_back(on(p.r));
        }
        for (; n < stride; ++n)
            b.push_back(0);
    }
    return b;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: artgen <icon.ico> <logo.bmp>\n");
        return 2;
    }
    if (!WriteFile(argv[1], Icon()) || !WriteFile(argv[2], Logo())) {
        fprintf(stderr, "artgen: writing failed\n");
        return 1;
    }
    return 0;
}
