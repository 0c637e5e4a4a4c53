#pragma once

#include "model/xmltext.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace talvex {

struct CaptionChange {
    bool changes = false; // false: caption and height stay as they are
    std::string caption;  // GBK
    int32_t height = 32;
};

// How the context names phrase number index of the voice module: the loader
// by the phrase list, the dialog by the items of its list.
using PhraseText = std::function<std::string(int32_t index)>;

// The caption-value sources the catalog rows name: the value of parameter
// param as the user sees it. Subroutine names go through UnescapedValue too,
// which also decodes what EscapeSubName stores.
std::string UnescapedValue(const XmlElement& node, const char* param, const PhraseText& phraseText);
std::string PhraseValue(const XmlElement& node, const char* param, const PhraseText& phraseText);

// The caption of the kinds whose row has a caption rule, given the value as
// the user sees it (unescaped). Other kinds never change.
CaptionChange BlockCaptionRule(int32_t kindCode, std::string_view shownValue);

// The caption of a block from its node: the row's value source, then the
// rule. Both the dispatcher after an accepted edit and the loader use it.
CaptionChange BlockCaption(int32_t kindCode, const XmlElement& node, const PhraseText& phraseText);

} // namespace talvex
