#pragma once
// Language slots: the ids that label the slots of a translation container
// and the list of them. The ids are this component's own numbering, not the
// window system's language identifiers.

#include <array>
#include <cstdint>

#include "lang/container.h"

namespace tarvo {

enum TLangid : uint8_t {
    lgNEUTRAL,
    lgBULGARIAN,
    lgCHINESE,
    lgCROATIAN,
    lgCZECH,
    lgDANISH,
    lgDUTCH,
    lgENGLISH,
    lgFINNISH,
    lgFRENCH,
    lgGERMAN,
    lgGREEK,
    lgHUNGARIAN,
    lgICELANDIC,
    lgITALIAN,
    lgJAPANESE,
    lgKOREAN,
    lgNORWEGIAN,
    lgPOLISH,
    lgPORTUGUESE,
    lgROMANIAN,
    lgRUSSIAN,
    lgSLOVAK,
    lgSLOVENIAN,
    lgSPANISH,
    lgSWEDISH,
    lgTURKISH,
    lgDUTCH_BELGIAN,
    lgENGLISH_AMERICAN,
    lgENGLISH_AUSTRALIAN,
    lgENGLISH_CANADIAN,
    lgENGLISH_NEW_ZEALAND,
    lgENGLISH_IRELAND,
    lgFRENCH_BELGIAN,
    lgFRENCH_CANADIAN,
    lgFRENCH_SWISS,
    lgGERMAN_SWISS,
    lgGERMAN_AUSTRIAN,
    lgITALIAN_SWISS,
    lgNORWEGIAN_NYNORSK,
    lgPORTUGUESE_BRAZILIAN,
    lgSPANISH_MEXICAN,
    lgSPANISH_MODERN,
};

// The ids new slots get, slot 0 first: English, German, French, Spanish, ...
// and lgNEUTRAL last.
inline constexpr std::array<TLangid, 43> DefaultSlotOrder = {
    lgENGLISH,
    lgGERMAN,
    lgFRENCH,
    lgSPANISH,
    lgPORTUGUESE,
    lgITALIAN,
    lgJAPANESE,
    lgCHINESE,
    lgKOREAN,
    lgDUTCH,
    lgSWEDISH,
    lgDANISH,
    lgFINNISH,
    lgNORWEGIAN,
    lgICELANDIC,
    lgGREEK,
    lgTURKISH,
    lgRUSSIAN,
    lgPOLISH,
    lgCZECH,
    lgSLOVAK,
    lgHUNGARIAN,
    lgBULGARIAN,
    lgROMANIAN,
    lgCROATIAN,
    lgSLOVENIAN,
    lgDUTCH_BELGIAN,
    lgENGLISH_AMERICAN,
    lgENGLISH_AUSTRALIAN,
    lgENGLISH_CANADIAN,
    lgENGLISH_NEW_ZEALAND,
    lgENGLISH_IRELAND,
    lgFRENCH_BELGIAN,
    lgFRENCH_CANADIAN,
    lgFRENCH_SWISS,
    lgGERMAN_SWISS,
    lgGERMAN_AUSTRIAN,
    lgITALIAN_SWISS,
    lgNORWEGIAN_NYNORSK,
    lgPORTUGUESE_BRAZILIAN,
    lgSPANISH_MEXICAN,
    lgSPANISH_MODERN,
    lgNEUTRAL,
};

// One language slot. Stored as its id in a 32-bit integer, of which reading
// keeps the low byte.
class TLngId : public TContainerObject {
    TARVO_CONTAINER_CLASS(TLngId)

    TLngId() = default;
    explicit TLngId(TLangid id) : Id(id) { }

    void SaveToStream(TContainerWriter& writer) const override;
    void LoadFromStream(TContainerReader& reader) override;

    TLangid Id = lgNEUTRAL;
};

class TLngLst : public TContainerList<TLngId> {
    TARVO_CONTAINER_CLASS(TLngLst)

    // The id of the slot at index (the list error outside the list); lgNEUTRAL
    // for an empty position.
    TLangid GetLangId(int index) const;
    // The index of the first slot with the id, appending one when none has it.
    int AddLangId(TLangid id);
};

} // namespace tarvo
