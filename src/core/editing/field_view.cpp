#include "editing/field_view.h"

namespace kestrel {

std::string fieldView(const SoundRecord& rec) {
    return rec.samplesField() + fixedWidth(rec.vol, kValueWidth) + fixedWidth(rec.p, kFlagWidth) +
           fixedWidth(rec.v, kFlagWidth) + fixedWidth(rec.rn, kFlagWidth) +
           fixedWidth(rec.l, kFlagWidth) + fixedWidth(rec.ch, kValueWidth) +
           fixedWidth(rec.pit, kValueWidth) + fixedWidth(rec.rad, kValueWidth) + rec.wad;
}

} // namespace kestrel
