#include "format/field_view.h"

#include <algorithm>
#include <utility>

namespace kestrel {

std::string fieldView(const SoundRecord& rec) {
    return rec.samplesField() + fixedWidth(rec.vol, kValueWidth) + fixedWidth(rec.p, kFlagWidth) +
           fixedWidth(rec.v, kFlagWidth) + fixedWidth(rec.rn, kFlagWidth) +
           fixedWidth(rec.l, kFlagWidth) + fixedWidth(rec.ch, kValueWidth) +
           fixedWidth(rec.pit, kValueWidth) + fixedWidth(rec.rad, kValueWidth) + rec.letters;
}

std::vector<ColumnSpan> differingFields(const SoundRecord& rec, const SoundRecord& other) {
    const std::pair<const std::string SoundRecord::*, std::size_t> fixed[] = {
        {&SoundRecord::vol, kValueWidth}, {&SoundRecord::p, kFlagWidth},
        {&SoundRecord::v, kFlagWidth},    {&SoundRecord::rn, kFlagWidth},
        {&SoundRecord::l, kFlagWidth},    {&SoundRecord::ch, kValueWidth},
        {&SoundRecord::pit, kValueWidth}, {&SoundRecord::rad, kValueWidth}};
    std::vector<ColumnSpan> spans;
    if (rec.samples != other.samples) spans.push_back({0, kSamplesWidth});
    std::size_t at = kSamplesWidth;
    for (const auto& [field, width] : fixed) {
        if (rec.*field != other.*field) spans.push_back({at, width});
        at += width;
    }
    if (rec.letters != other.letters)
        spans.push_back({at, std::max<std::size_t>(rec.letters.size(), 1)});
    return spans;
}

} // namespace kestrel
