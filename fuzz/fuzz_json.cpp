// Every stored JSON format the reader decodes: token caches, the library and the settings.
// Whatever the bytes, decoding must return a value or nothing, and what it accepts must
// survive a round trip.
#include "library/BookCodec.h"
#include "settings/SettingsFile.h"
#include "tokenize/TokenCodec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    if (const auto tokens = tavrin::TokenCodec::decode(json)) {
        const auto again = tavrin::TokenCodec::decode(tavrin::TokenCodec::encode(*tokens));
        if (!again || again->size() != tokens->size()) {
            std::abort();
        }
    }
    if (const auto books = tavrin::BookCodec::decode(json)) {
        if (const auto encoded = tavrin::BookCodec::encode(*books)) {
            if (tavrin::BookCodec::decode(*encoded) != books) {
                std::abort();
            }
        }
    }
    if (const auto settings = tavrin::SettingsFile::decode(json)) {
        (void)tavrin::SettingsFile::encode(*settings);
    }
    return 0;
}
