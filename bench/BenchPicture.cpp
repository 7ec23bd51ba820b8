// The benchmark's photo-like picture.
#include "BenchPicture.h"

#include "imaging/xImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// A hash of the pixel position: the grain, the same at every run.
std::uint32_t Grain(std::uint32_t x, std::uint32_t y)
{
    std::uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// Smooth noise at a scale of `cell` pixels, -1..1: the hash on a grid,
// blended between grid points, like foliage or fabric at a distance.
double ValueNoise(int x, int y, int cell)
{
    const int gx = x / cell;
    const int gy = y / cell;
    const double fx = static_cast<double>(x % cell) / cell;
    const double fy = static_cast<double>(y % cell) / cell;
    const auto at = [](int u, int v) {
        return (Grain(static_cast<std::uint32_t>(u) * 7919u, static_cast<std::uint32_t>(v) * 104729u) & 0xFFFF) / 32767.5 - 1.0;
    };
    const double top = at(gx, gy) * (1 - fx) + at(gx + 1, gy) * fx;
    const double bottom = at(gx, gy + 1) * (1 - fx) + at(gx + 1, gy + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

BYTE Clamp(double value)
{
    return static_cast<BYTE>(std::clamp(value, 0.0, 255.0));
}

}  // namespace

bool MakePhotoLikePicture(CxImage& image, int width, int height)
{
    if (!image.Create(width, height, 24, kImageFormatBmp))
        return false;
    const double cx = width * 0.62;
    const double cy = height * 0.41;
    const double radius = std::min(width, height) * 0.23;
    for (int row = 0; row < height; ++row) {
        BYTE* pixel = image.GetBits(height - 1 - row);  // top first
        const double v = static_cast<double>(row) / height;
        for (int x = 0; x < width; ++x, pixel += 3) {
            const double u = static_cast<double>(x) / width;
            // Sky to ground, with soft hills.
            double red = 90 + 120 * v + 25 * std::sin(u * 9.0 + v * 3.0);
            double green = 140 + 60 * std::sin(u * 4.0) * std::cos(v * 5.0) - 40 * v;
            double blue = 220 - 150 * v + 20 * std::cos(u * 7.0);
            // A sunlit disc with a hard edge.
            const double dx = x - cx;
            const double dy = row - cy;
            if (dx * dx + dy * dy < radius * radius) {
                const double light = 1.0 - std::sqrt(dx * dx + dy * dy) / radius;
                red = 200 + 55 * light;
                green = 150 + 80 * light;
                blue = 60 + 40 * light;
            }
            // Texture at two scales, stronger lower down (the ground).
            const double texture = (0.3 + v) * (22 * ValueNoise(x, row, 3) + 14 * ValueNoise(x, row, 11));
            red += texture;
            green += texture * 0.9;
            blue += texture * 0.6;
            // Grain of a few levels, as a camera's sensor gives.
            const std::uint32_t grain = Grain(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(row));
            pixel[0] = Clamp(blue + static_cast<int>(grain & 7) - 3.5);
            pixel[1] = Clamp(green + static_cast<int>((grain >> 3) & 7) - 3.5);
            pixel[2] = Clamp(red + static_cast<int>((grain >> 6) & 7) - 3.5);
        }
    }
    return true;
}
