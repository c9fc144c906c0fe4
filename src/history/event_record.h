// Field reader for an event-history record: a packed byte block in host byte order,
// read at fixed offsets whatever the alignment of its base. The caller vouches that the
// record holds every field it asks for; texts never run past their fields.
#ifndef ZMS_EVENT_RECORD_H
#define ZMS_EVENT_RECORD_H

#include <cstdint>
#include <cstring>
#include <string_view>

#include "zudoru_mgr_show.h"

namespace zms {

class event_record {
 public:
  explicit event_record(const void *base) : base_(static_cast<const unsigned char *>(base)) {}

  uint16_t vdc_id() const { return read<uint16_t>(VDC_EVENT_OFF_VDC_ID); }
  std::string_view vdc_name() const { return text(VDC_EVENT_OFF_VDC_NAME, VDC_EVENT_NAME_LEN); }
  uint32_t vdc_state() const { return read<uint32_t>(VDC_EVENT_OFF_VDC_STATE); }
  std::string_view desc() const { return text(VDC_EVENT_OFF_DESC, VDC_EVENT_DESC_LEN); }
  uint16_t dest_vdc_id() const { return read<uint16_t>(VDC_EVENT_OFF_DEST_VDC_ID); }
  int32_t num_ports() const { return read<int32_t>(VDC_EVENT_OFF_NUM_PORTS); }
  uint32_t source_vdc(uint32_t index) const {
    return read<uint32_t>(VDC_EVENT_OFF_SOURCE_VDCS + 4u * index);
  }

 private:
  template <typename T>
  T read(uint32_t offset) const {
    T value;
    std::memcpy(&value, base_ + offset, sizeof value);
    return value;
  }

  std::string_view text(uint32_t offset, uint32_t field_len) const {
    const char *start = reinterpret_cast<const char *>(base_ + offset);
    return std::string_view(start, strnlen(start, field_len));
  }

  const unsigned char *base_;
};

}  // namespace zms

#endif  // ZMS_EVENT_RECORD_H
