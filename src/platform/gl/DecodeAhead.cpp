#include "DecodeAhead.h"

#include <mutex>

#include "TextureFileLoader.h"

namespace gl {
namespace {

using lumetta::images::DecodedPicture;
using lumetta::images::PictureError;
using lumetta::images::PictureSize;

std::mutex registryMutex;
DecodeAhead* waiting = nullptr;  // guarded by registryMutex

DecodeAhead::Result Decode(const std::string& file, const std::function<PictureSize()>& screenSize) {
    try {
        const PictureSize screen = screenSize();
        if (screen.width == 0 || screen.height == 0) return {{}, PictureError{"no screen"}};
        auto picture = lumetta::images::ReadPictureSize(file);
        if (!picture) return {{}, picture.error()};
        PictureSize size = ChooseTextureSize(picture.value(), screen, 0, 0, 0);
        return {size, DecodeAtTextureSize(file.c_str(), size, picture.value())};
    } catch (const std::bad_alloc&) {
        return {{}, PictureError{"out of memory"}};
    }
}

}  // namespace

DecodeAhead::DecodeAhead(std::string file, std::function<PictureSize()> screen)
    : file_(std::move(file)), result_(std::async(std::launch::async, Decode, file_, std::move(screen))) {
    std::lock_guard lock(registryMutex);
    waiting = this;
}

DecodeAhead::~DecodeAhead() {
    {
        std::lock_guard lock(registryMutex);
        if (waiting == this) waiting = nullptr;
    }
    // An untaken result_ waits for its thread here; a taken one belongs to its taker.
}

bool IsDecodingAhead(const std::string& file) {
    std::lock_guard lock(registryMutex);
    return waiting && waiting->file_ == file;
}

std::optional<DecodedPicture> TakeDecodedAhead(const std::string& file, PictureSize size) {
    std::future<DecodeAhead::Result> result;
    bool sameFile = false;
    {
        std::lock_guard lock(registryMutex);
        if (!waiting) return std::nullopt;
        result = std::move(waiting->result_);
        sameFile = waiting->file_ == file;
        waiting = nullptr;
    }
    if (!sameFile) return std::nullopt;  // the future waits for the thread, then frees the picture
    DecodeAhead::Result ahead = result.get();
    if (!ahead.decoded || ahead.size.width < size.width || ahead.size.height < size.height) return std::nullopt;
    DecodedPicture picture = std::move(ahead.decoded.value());
    // Made for the whole X screen, which may hold more than the device's monitor.
    if (ahead.size != size) picture.image = lumetta::images::DownscaleArea(picture.image, size.width, size.height);
    return picture;
}

}  // namespace gl
