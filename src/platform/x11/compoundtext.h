#pragma once
// Titles in COMPOUND_TEXT: Xt programs write WM_NAME in this ISO 2022
// encoding when a title is not Latin-1, and set no _NET_WM_NAME.

#include <optional>
#include <string>

#include "platform/x11/connection.h"

struct _XDisplay; // Xlib's Display, kept out of the header with its macros

namespace tarvo::platform::x11 {

// Converts with libX11's text-property conversion. That needs an Xlib
// Display, for the atoms of the encodings, and the xcb connection cannot
// serve as one: a second connection to the same server is opened on first
// use and kept.
class TCompoundTextDecoder {
public:
    explicit TCompoundTextDecoder(const TConnection& connection) : connection_(connection) { }
    ~TCompoundTextDecoder();
    TCompoundTextDecoder(const TCompoundTextDecoder&) = delete;
    TCompoundTextDecoder& operator=(const TCompoundTextDecoder&) = delete;

    // The text in UTF-8; nullopt when it cannot be converted (the second
    // connection cannot be opened, the bytes are not compound text).
    std::optional<std::string> ToUtf8(const std::string& compoundText);

private:
    const TConnection& connection_;
    _XDisplay* display_ = nullptr;
    bool triedToOpen_ = false;
};

} // namespace tarvo::platform::x11
