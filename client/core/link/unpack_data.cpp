#include "client/core/link/unpack_data.h"

namespace dlk::client {

namespace {

constexpr std::size_t kGroupItems = 8;
constexpr std::size_t kGroupBytes = kGroupItems + 1;
constexpr unsigned kMaxPhraseLength = 127;  // 7 bits of a phrase word

std::uint16_t MakePhrase(std::size_t position, unsigned length) {
    return static_cast<std::uint16_t>((position & 0x1FF) | (length << 9));
}

// The decoding state of one packet.
class Decoder {
public:
    explicit Decoder(UnpackArea& area) : area_(area) {}

    // Decodes count items with flag bits from bit (count - 1) down to bit 0
    // of the flag byte. False at the first item that would break a bound;
    // nothing of that item is written.
    bool UnpackItems(const std::uint8_t* items, std::size_t count, std::uint8_t flags) {
        for (std::size_t j = 0; j < count; ++j) {
            const bool copy = (flags >> (count - 1 - j)) & 1;
            if (!(copy ? Copy(items[j]) : Literal(items[j]))) return false;
        }
        return true;
    }

    std::size_t Position() const { return p_; }

private:
    bool Literal(std::uint8_t b) {
        if (p_ >= UnpackArea::kOutputSize || phrases_ >= UnpackArea::kPhraseCapacity) return false;
        area_.PhraseTable[phrases_++] = MakePhrase(p_, 2);
        area_.Output[p_++] = b;
        return true;
    }

    bool Copy(std::uint8_t k) {
        if (k >= phrases_ || phrases_ >= UnpackArea::kPhraseCapacity) return false;
        const std::uint16_t phrase = area_.PhraseTable[k];
        std::size_t q = phrase & 0x1FF;
        const unsigned length = phrase >> 9;
        if (p_ + length > UnpackArea::kOutputSize || length + 1 > kMaxPhraseLength) return false;
        area_.PhraseTable[phrases_++] = MakePhrase(p_, length + 1);
        // One byte at a time and forwards: a phrase that overlaps the output
        // being written repeats its pattern.
        for (unsigned i = 0; i < length; ++i) area_.Output[p_++] = area_.Output[q++];
        return true;
    }

    UnpackArea& area_;
    std::size_t p_ = 0;
    std::size_t phrases_ = 0;
};

}  // namespace

std::size_t UnpackData(std::span<const std::uint8_t> payload, UnpackArea& area) {
    Decoder decoder(area);
    std::size_t at = 0;
    while (payload.size() - at >= kGroupBytes) {
        if (!decoder.UnpackItems(payload.data() + at, kGroupItems, payload[at + kGroupItems])) {
            return decoder.Position();
        }
        at += kGroupBytes;
    }
    const std::size_t rest = payload.size() - at;
    if (rest >= 2) decoder.UnpackItems(payload.data() + at, rest - 1, payload[payload.size() - 1]);
    return decoder.Position();
}

}  // namespace dlk::client
