#include "model/caption.h"

#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"

namespace talvex {

std::string UnescapedValue(const XmlElement& node, const char* param, const PhraseText&)
{
    return UnescapeValueText(TextParam(node, param));
}

std::string PhraseValue(const XmlElement& node, const char* param, const PhraseText& phraseText)
{
    return phraseText(IntParam(node, param));
}

CaptionChange BlockCaptionRule(int32_t kindCode, std::string_view shownValue)
{
    const BlockInfo* kind = FindBlockKind(kindCode);
    if (!kind || !kind->captionRule.prefix)
        return {};
    CaptionChange change;
    if (shownValue.empty()) {
        if (kind->captionRule.emptyKeeps)
            return {};
        change.changes = true;
        change.caption = kind->caption;
        change.height = 32;
        return change;
    }
    change.changes = true;
    change.caption = Gbk(kind->captionRule.prefix) + std::string(shownValue);
    change.height = 40;
    return change;
}

CaptionChange BlockCaption(int32_t kindCode, const XmlElement& node, const PhraseText& phraseText)
{
    const BlockInfo* kind = FindBlockKind(kindCode);
    if (!kind || !kind->captionRule.prefix)
        return {};
    return BlockCaptionRule(kindCode, kind->captionRule.value(node, kind->captionRule.param, phraseText));
}

} // namespace talvex
