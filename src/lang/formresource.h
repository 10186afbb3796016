#pragma once
// Form resources: what a form stores of its language switcher, generated at
// build time from the form's translation table (see formtables/) and read
// by the form at the end of its construction.

#include <cstdint>
#include <span>
#include <string_view>

#include "lang/containerlanguages.h"

namespace tarvo {

class TMltLang;

// The switcher's stored properties, in the order they are read.
struct TFormResource {
    // The slot whose texts the form was designed with.
    int32_t ActiveLang = 0;
    TLangid ActiveLangById = lgENGLISH;
    int32_t MaxLang = 2;
    // The stored TInfoList; empty for a form without translations.
    std::span<const uint8_t> Items;
    std::string_view DefDictionary = "default.dct";
    TLangid LangId = lgENGLISH;
};

// Reads the resource into the form's switcher as reading a stored form does:
// the switcher's properties in the reading state; the texts the form was
// designed with put on its components (slot 0, then the design slot over it
// where that has a text of its own), which is what the form shows before any
// switch; then the switcher's loaded step. Call it once every component of
// the form exists. A damaged block raises EMLangInvalid (or one of the other
// container errors) and the form should not be used.
void LoadFormResource(TMltLang& mltLang, const TFormResource& resource);

} // namespace tarvo
