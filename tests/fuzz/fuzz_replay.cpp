// Any bytes as a replay file, and any bytes as the record inside a well-formed file (random
// bytes rarely get past zlib's checksum): reading must never crash, hang or allocate past
// what is there; a refusal has a one-line reason; what is read writes back and reads the same.
#include "shell/replay_file.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(const std::string& bytes) {
    replay_data r;
    std::string reason;
    if (replay_decode(bytes, r, reason) != REPLAY_OK) {
        if (reason.empty() || reason.find('\n') != std::string::npos) abort();
        return;
    }
    std::string again = replay_encode(r);
    replay_data back;
    if (replay_decode(again, back, reason) != REPLAY_OK || replay_encode(back) != again) abort();
}

// The game's own header (magic, format, rules) with the bytes compressed behind it.
std::string wrapped(const uint8_t* data, size_t size) {
    static const std::string head = replay_encode(replay_data{}).substr(0, 10);
    uLongf n = compressBound(uLong(size));
    std::string z(n, '\0');
    if (compress2(reinterpret_cast<Bytef*>(z.data()), &n, data, uLong(size), 9) != Z_OK) abort();
    z.resize(n);
    uint32_t raw = uint32_t(size);
    char b[4];
    std::memcpy(b, &raw, 4);
    return head + std::string(b, 4) + z;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    check(std::string(reinterpret_cast<const char*>(data), size));
    check(wrapped(data, size));
    return 0;
}
