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

DecodeAhead::Result Decode(const std::string& file, PictureSize screen) {
    try {
        auto picture = lumetta::images::ReadPictureSize(file);
        if (!picture) return {{}, picture.error()};
        PictureSize size = ChooseTextureSize(picture.value(), screen, 0, 0, 0);
        return {size, DecodeAtTextureSize(file.c_str(), size, picture.value())};
    } catch (const std::bad_alloc&) {
        return {{}, PictureError{"out of memory"}};
    }
}

}  // namespace

DecodeAhead::DecodeAhead(std::string file, PictureSize screen)
    : file_(std::move(file)), result_(std::async(std::launch::async, Decode, file_, screen)) {
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
    if (!ahead.decoded || ahead.size != size) return std::nullopt;
    return std::move(ahead.decoded.value());
}

}  // namespace gl
