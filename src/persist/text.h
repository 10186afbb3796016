#pragma once
// Text values and the free text routines: wildcard match, scrambling and
// German number words.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "persist/objectlist.h"

namespace tarvo {

// A growable NUL-terminated text buffer that can be handed to platform calls
// as a writable buffer of known size.
class TText : public TCompareableObject {
    TARVO_CLASS(TText)
    static int32_t GetRegistrationCode() { return 1000; }
    static constexpr int InitialCapacity = 10;

    TText();
    // CreateWithText.
    explicit TText(std::string_view text);

    // Capacity 10, empty text.
    void Create() override;
    void Store(TObjectStream& stream) const override;
    void Load(TObjectStream& stream) override;
    void CopyTo(TStreamableObject& target) const override;
    // Case-insensitive under the user's locale.
    int Compare(const TStreamableObject& other) const override;

    // The characters up to the first NUL.
    std::string GetText() const;
    // Copies the text (up to any NUL in it), growing the buffer to length + 10
    // first when it does not fit.
    void SetText(std::string_view text);
    // Makes a buffer of n + 5 bytes, cutting the text to n characters.
    void SetCapacity(int n);
    int Capacity() const { return static_cast<int>(buffer_.size()); }
    // The writable buffer of Capacity() bytes.
    char* Buffer() { return buffer_.data(); }
    int TextLength() const;

    // Replaces every occurrence of find (exact bytes) by replacement, left to
    // right; the replacement is never searched again.
    void ReplaceAll(std::string_view find, std::string_view replacement);
    void CommaToPoint();
    // Replaces each %NAME% by the value of the environment variable
    // (platform::IEnvironment). A reference to a variable that is not defined
    // stays as it is; the values put in are not expanded again.
    void ExpandEnvironment();
    // The same with the variables that lookup finds.
    using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
    void ExpandEnvironment(const EnvironmentLookup& lookup);

private:
    std::vector<char> buffer_;
};

// Number of characters (not bytes) of a UTF-8 text.
size_t CharacterCount(std::string_view utf8);
// The first count characters (not bytes) of a UTF-8 text.
std::string_view FirstCharacters(std::string_view utf8, size_t count);

// Only a star at the very beginning or end of pattern is a wildcard; case is
// ignored under the user's locale; an empty pattern matches everything.
bool MatchesWildcard(std::string_view subject, std::string_view pattern);

// Each byte of text XOR the running key byte, as two letters 'A'..'P'
// (high half first). An empty key leaves the text unchanged.
std::string ScrambleText(std::string_view text, std::string_view key);
std::string UnscrambleText(std::string_view text, std::string_view key);

// The absolute value of n in German words ("Null", "eins", "einundzwanzig").
std::string NumberToWords(int32_t n);

// Start-up of the text module: registers TText.
void InitTextModule();

} // namespace tarvo
