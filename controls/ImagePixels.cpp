#include "controls/ImagePixels.h"

#include <unordered_map>

namespace {

// Pixels are created and dropped only on the thread that owns the windows.
std::unordered_map<const uint32_t*, uint32_t>& ReferenceTable() {
    static std::unordered_map<const uint32_t*, uint32_t> table;
    return table;
}

uint32_t PixelCount(uint32_t width, uint32_t height, const char* operation) {
    const uint64_t count = static_cast<uint64_t>(width) * height;
    if (count > UINT32_MAX / sizeof(uint32_t))
        throw FCMemException(__FILE__, __LINE__, operation, -1);
    return static_cast<uint32_t>(count);
}

} // namespace

ImagePixels::ImagePixels(const ImagePixels& other) {
    Share(other);
}

ImagePixels& ImagePixels::operator=(const ImagePixels& other) {
    if (this != &other && pixels_.GetData() != other.pixels_.GetData()) {
        Release();
        Share(other);
    }
    return *this;
}

ImagePixels::~ImagePixels() {
    Release();
}

void ImagePixels::Assign(uint32_t width, uint32_t height, const uint32_t* rows) {
    const uint32_t count = PixelCount(width, height, "ImagePixels::Assign");
    if (count == 0) {
        Clear();
        return;
    }
    FCArray<uint32_t> fresh(count);
    uint32_t* to = fresh.GetData();
    for (uint32_t i = 0; i < count; ++i)
        to[i] = rows[i] & 0x00FFFFFF;
    Adopt(fresh, width, height);
}

void ImagePixels::Clear() {
    Release();
}

void ImagePixels::Resize(uint32_t width, uint32_t height, bool keepAspect) {
    if (Empty())
        return;
    if (width == 0 || height == 0) {
        Clear();
        return;
    }
    PixelSize target{width, height};
    if (keepAspect)
        target = FitKeepingAspect({width_, height_}, target);
    if (target.width == width_ && target.height == height_)
        return;
    FCArray<uint32_t> fresh(PixelCount(target.width, target.height, "ImagePixels::Resize"));
    ResamplePixels(pixels_.GetData(), {width_, height_}, fresh.GetData(), target);
    Adopt(fresh, target.width, target.height);
}

uint32_t ImagePixels::References(const uint32_t* buffer) {
    auto& table = ReferenceTable();
    auto found = table.find(buffer);
    return found == table.end() ? 0 : found->second;
}

void ImagePixels::Adopt(FCArray<uint32_t>& fresh, uint32_t width, uint32_t height) {
    auto& table = ReferenceTable();
    const uint32_t count = fresh.GetCount();
    uint32_t* block = fresh.Attach(nullptr, 0);
    try {
        table[block] = 1; // may throw; the block must not leak then
    } catch (...) {
        std::free(block);
        throw;
    }
    Release();
    pixels_.Attach(block, count);
    width_ = width;
    height_ = height;
    ownsPixels_ = true;
}

void ImagePixels::Share(const ImagePixels& other) {
    if (other.Empty())
        return;
    uint32_t* block = const_cast<uint32_t*>(other.pixels_.GetData());
    ++ReferenceTable()[block];
    pixels_.Attach(block, other.pixels_.GetCount());
    width_ = other.width_;
    height_ = other.height_;
    ownsPixels_ = true;
}

void ImagePixels::Release() {
    uint32_t* block = pixels_.Attach(nullptr, 0);
    if (block && ownsPixels_) {
        auto& table = ReferenceTable();
        auto found = table.find(block);
        if (found != table.end() && --found->second == 0) {
            table.erase(found);
            std::free(block);
        }
    }
    width_ = 0;
    height_ = 0;
    ownsPixels_ = false;
}
