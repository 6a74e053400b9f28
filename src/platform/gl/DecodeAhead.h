// One picture decoded on a thread of its own before anyone asks for it: the
// show's first photo, while the program is still making its application, its
// window and its GL device. The next texture file load takes the result when
// it is for the same file at the same texture size, or at a larger one
// (brought down to its size then), and decodes as usual otherwise; either way
// that load ends the head start, so a picture nobody asked for does not stay
// in memory.
#pragma once

#include <functional>
#include <future>
#include <optional>
#include <string>

#include "PictureTypes.h"
#include "Pictures.h"

namespace gl {

class DecodeAhead {
public:
    // Starts decoding `file` for a texture on a display of the size that
    // `screen` returns, on the decoding thread (see ChooseTextureSize); no
    // picture for a size of 0 x 0. One head start at a time: a newer one
    // replaces it.
    DecodeAhead(std::string file, std::function<lumetta::images::PictureSize()> screen);
    // Withdraws the picture when no load has taken it; waits for the thread.
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    struct Result {
        lumetta::images::PictureSize size;  // the texture size it was brought to
        lumetta::images::PictureResult<lumetta::images::DecodedPicture> decoded;
    };

private:
    friend bool IsDecodingAhead(const std::string&);
    friend std::optional<lumetta::images::DecodedPicture> TakeDecodedAhead(const std::string&,
                                                                          lumetta::images::PictureSize);
    const std::string file_;
    std::future<Result> result_;
};

// For the texture file loader, from any thread: whether a head start for
// `file` is waiting to be taken.
bool IsDecodingAhead(const std::string& file);

// For the texture file loader, from any thread: the picture decoded ahead for
// `file`, waiting for its decoding, at texture size `size`; nullopt when there
// is none, it is for another file or a smaller size, or its decoding failed
// (the loader then decodes and reports the error itself).
std::optional<lumetta::images::DecodedPicture> TakeDecodedAhead(const std::string& file,
                                                               lumetta::images::PictureSize size);

}  // namespace gl
