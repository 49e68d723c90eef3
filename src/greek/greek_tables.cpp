#include "greek/greek_tables.h"

#include "greek/cp1253.h"
#include "greek/cp737.h"

namespace merovan {

namespace {

// The code page 737 letters that are converted: all but ϊ (E4) and ϋ (E8),
// which Windows Greek texts keep as they are.
bool isConvertedCodePage737Letter(int b)
{
    return (b >= 0x80 && b <= 0xAF) || (b >= 0xE0 && b <= 0xE3) || (b >= 0xE5 && b <= 0xE7)
        || (b >= 0xE9 && b <= 0xF0);
}

constexpr int kCodePage737FinalSigma = 0xAA;

struct RegisterLetter {
    char16_t letter;
    unsigned char byte;
};

// The register prints capitals that look Latin from the Latin codes, drops
// the accents of capitals and has one code for all three sigmas.
constexpr RegisterLetter kRegisterSet[] = {
    {u'Α', 0x41}, {u'Β', 0x42}, {u'Γ', 0x85}, {u'Δ', 0x86}, {u'Ε', 0x45}, {u'Ζ', 0x5A},
    {u'Η', 0x48}, {u'Θ', 0x87}, {u'Ι', 0x49}, {u'Κ', 0x4B}, {u'Λ', 0x88}, {u'Μ', 0x4D},
    {u'Ν', 0x4E}, {u'Ξ', 0x89}, {u'Ο', 0x4F}, {u'Π', 0x8A}, {u'Ρ', 0x50}, {u'Σ', 0x66},
    {u'Τ', 0x54}, {u'Υ', 0x59}, {u'Φ', 0x8B}, {u'Χ', 0x58}, {u'Ψ', 0x8C}, {u'Ω', 0x8D},
    {u'α', 0xD6}, {u'β', 0xD7}, {u'γ', 0xD8}, {u'δ', 0xDD}, {u'ε', 0xDE}, {u'ζ', 0xE0},
    {u'η', 0xE1}, {u'θ', 0xE2}, {u'ι', 0xE3}, {u'κ', 0xE4}, {u'λ', 0xE5}, {u'μ', 0xE6},
    {u'ν', 0xE7}, {u'ξ', 0xE8}, {u'ο', 0xE9}, {u'π', 0xEA}, {u'ρ', 0xEB}, {u'σ', 0x66},
    {u'ς', 0x66}, {u'τ', 0xEE}, {u'υ', 0xF2}, {u'φ', 0xF3}, {u'χ', 0xF4}, {u'ψ', 0xF5},
    {u'ω', 0xFA}, {u'ά', 0x9B}, {u'έ', 0x9D}, {u'ή', 0x9E}, {u'ί', 0x9F}, {u'ό', 0xA2},
    {u'ύ', 0xA3}, {u'ϋ', 0xFB}, {u'ώ', 0xFA}, {u'Ά', 0x41}, {u'Έ', 0x45}, {u'Ή', 0x48},
    {u'Ί', 0x49}, {u'Ό', 0x4F}, {u'Ύ', 0x59}, {u'Ώ', 0x8D},
};

unsigned char windowsByteOf737(int b)
{
    return static_cast<unsigned char>(cp1253Byte(cp737Char(static_cast<unsigned char>(b))));
}

} // namespace

const ByteTable &codePage737ToWindowsTable()
{
    static const ByteTable table = [] {
        ByteTable t{};
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (isConvertedCodePage737Letter(b))
                t[b] = windowsByteOf737(b);
        }
        return t;
    }();
    return table;
}

const ByteTable &windowsToCodePage737Table()
{
    // The inverse of the other direction, except that ς has no entry and
    // leaves as its Windows byte.
    static const ByteTable table = [] {
        ByteTable t{};
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (isConvertedCodePage737Letter(b) && b != kCodePage737FinalSigma)
                t[windowsByteOf737(b)] = static_cast<unsigned char>(b);
        }
        return t;
    }();
    return table;
}

const ByteTable &windowsToRegisterTable()
{
    static const ByteTable table = [] {
        ByteTable t{};
        for (const RegisterLetter &entry : kRegisterSet)
            t[cp1253Byte(QChar(entry.letter))] = entry.byte;
        return t;
    }();
    return table;
}

QString convertByTable(const QString &text, const ByteTable &table)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = cp1253Byte(c);
        const unsigned char to = b < 0 ? 0 : table[b];
        out.append(to == 0 ? c : cp1253Char(to));
    }
    return out;
}

} // namespace merovan
