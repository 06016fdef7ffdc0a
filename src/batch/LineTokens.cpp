// SPDX-License-Identifier: MIT
#include "batch/LineTokens.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace batch {
namespace {

// Which bytes of a block of the line are blanks and which are NULs: bit i for byte i.
struct ByteMasks {
    std::uint64_t blanks = 0;
    std::uint64_t nuls = 0;
};

constexpr std::size_t pieceSize = 16;
constexpr std::size_t blockSize = 64;

// The masks of the 16 bytes from at, compared all at once where the processor can.
ByteMasks piecesMasks(const char* at) {
#if defined(__SSE2__)
    __m128i bytes{};
    std::memcpy(&bytes, at, sizeof bytes);
    const __m128i blanks = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')),
                                        _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')));
    const __m128i nuls = _mm_cmpeq_epi8(bytes, _mm_setzero_si128());
    return {static_cast<std::uint16_t>(_mm_movemask_epi8(blanks)),
            static_cast<std::uint16_t>(_mm_movemask_epi8(nuls))};
#else
    ByteMasks masks;
    for (std::size_t i = 0; i < pieceSize; ++i) {
        masks.blanks |= (at[i] == ' ' || at[i] == '\t' ? std::uint64_t{1} : 0U) << i;
        masks.nuls |= (at[i] == '\0' ? std::uint64_t{1} : 0U) << i;
    }
    return masks;
#endif
}

// The masks of the size bytes from at (at most 64); the bytes past size count as blanks.
ByteMasks blockMasks(const char* at, std::size_t size) {
    ByteMasks masks;
    std::size_t done = 0;
    const auto add = [&masks, &done](ByteMasks piece) {
        masks.blanks |= piece.blanks << done;
        masks.nuls |= piece.nuls << done;
    };
    for (; size - done >= pieceSize; done += pieceSize) {
        add(piecesMasks(at + done));
    }
    if (const std::size_t rest = size - done; rest != 0) {
        ByteMasks piece;
        if (size >= pieceSize) {  // the last 16 bytes, shifted past those already seen
            piece = piecesMasks(at + size - pieceSize);
            piece.blanks >>= pieceSize - rest;
            piece.nuls >>= pieceSize - rest;
        } else {
            std::array<char, pieceSize> padded{};
            std::memcpy(padded.data(), at, size);
            piece = piecesMasks(padded.data());
            piece.nuls &= (std::uint64_t{1} << size) - 1;
        }
        add(piece);
    }
    if (size < blockSize) {
        masks.blanks |= ~std::uint64_t{0} << size;
    }
    return masks;
}

}  // namespace

// The line is read 64 bytes at a time. In each block a token starts at a byte that is not a
// blank and follows a blank (or the line's start), and ends at a blank that follows a byte
// that is not; the n-th start and the n-th end of a block make a token. Bytes past the
// line's end count as blanks, so the last token ends there; a token that reaches the end of
// a block ends at the first end of a later one.
LineTokens tokensOf(std::string_view line) {
    LineTokens tokens;
    std::size_t count = 0;
    std::size_t open = 0;  // where a token that runs on past its block started
    bool inToken = false;  // whether the byte before the block belongs to a token
    const auto keep = [&tokens, &count, line](std::size_t start, std::size_t end) {
        if (count < LineTokens::kept) {
            tokens.first[count] = {line.data() + start, end - start};
        }
        ++count;
    };
    for (std::size_t base = 0; base < line.size(); base += blockSize) {
        const ByteMasks masks =
            blockMasks(line.data() + base, std::min(blockSize, line.size() - base));
        tokens.hasNul = tokens.hasNul || masks.nuls != 0;
        const std::uint64_t inside = ~masks.blanks;
        const std::uint64_t afterInside = (inside << 1) | (inToken ? 1U : 0U);
        std::uint64_t starts = inside & ~afterInside;
        std::uint64_t ends = masks.blanks & afterInside;
        const auto at = [base](std::uint64_t bits) {
            return base + static_cast<std::size_t>(std::countr_zero(bits));
        };
        if (inToken) {
            if (ends == 0) {
                continue;  // the whole block is inside the token
            }
            keep(open, at(ends));
            ends &= ends - 1;
        }
        for (; starts != 0 && ends != 0; starts &= starts - 1, ends &= ends - 1) {
            keep(at(starts), at(ends));
        }
        if (starts != 0) {
            open = at(starts);
        }
        inToken = starts != 0;
    }
    if (inToken) {  // a line of whole blocks that ends in a token
        keep(open, line.size());
    }
    tokens.count = count;
    return tokens;
}

}  // namespace batch
