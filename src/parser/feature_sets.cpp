// Feature-set help and match callbacks: each call reads the feature-set list of the state
// database, offers it as a keyword table whose rows point into a copy of the list kept in
// fs_sdb, and frees both after the framework has used them.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vdc_platform.h"

namespace {

constexpr uint32_t installed_sets = 1;  // VDC id 0 in the key, no support filter
constexpr uint32_t for_help = 2;        // niltable, not blanktable, stands in

constexpr uint64_t allowed_help_excluded = 1ull << 5;
constexpr uint64_t installed_help_excluded = (1ull << 1) | (1ull << 5);

constexpr uint32_t sdb_already_open = 0x411a0003;
constexpr uint32_t sdb_no_record = 0x40480003;
constexpr size_t uri_offset = 256;
constexpr size_t uri_size = 256;

constexpr size_t list_header = sizeof(uint32_t);
constexpr size_t record_size = sizeof(vdc_fs_rec_t);
constexpr size_t name_offset = offsetof(vdc_fs_rec_t, name);
constexpr size_t name_size = sizeof(vdc_fs_rec_t::name);

struct fs_list_copy {
  unsigned char *bytes;
  uint32_t size;

  // The records that lie wholly inside the copy, at most as many as the list claims.
  uint32_t whole_records() const {
    if (size < list_header) return 0;
    uint32_t count = 0;
    memcpy(&count, bytes, sizeof count);
    uint32_t fitting = static_cast<uint32_t>((size - list_header) / record_size);
    return count < fitting ? count : fitting;
  }

  unsigned char *record(uint32_t i) const { return bytes + list_header + record_size * i; }
};

// Ids of 64 and above lie outside the mask and are never left out.
bool excluded(uint64_t mask, uint32_t id) {
  return id < 64 && ((mask >> id) & 1) != 0;
}

bool supported(cmd_handle handle, uint16_t vdc, uint32_t id) {
  if (vdc == 0 || cmd_req_action_is_set(handle) == 0) return true;
  return is_ft_supported_by_vdc(1, id, 0, 0) != 0;
}

// The name field inside the copy, cut to its last byte when it holds no NUL.
const char *record_name(unsigned char *record) {
  char *name = reinterpret_cast<char *>(record + name_offset);
  if (memchr(name, '\0', name_size) == nullptr) name[name_size - 1] = '\0';
  return name;
}

void *empty_list() {
  return calloc(1, list_header);
}

// Copies the database's record into fs_sdb; false when there is nothing to read.
bool keep_copy(const sdb_data *data, fs_list_copy &copy) {
  fs_sdb = nullptr;
  if (data == nullptr || (data->data == nullptr && data->size != 0)) return false;
  auto *bytes = static_cast<unsigned char *>(malloc(data->size != 0 ? data->size : 1));
  if (bytes == nullptr) return false;
  if (data->size != 0) memcpy(bytes, data->data, data->size);
  fs_sdb = bytes;
  copy = fs_list_copy{bytes, data->size};
  return true;
}

// Reads the list of the VDC into fs_sdb. False when the database cannot be read; a missing
// list leaves an empty one.
bool read_list(uint16_t vdc, fs_list_copy &copy) {
  char *uri = vdc_sdb_uri_lib + uri_offset;
  uint32_t status = 0;
  unsigned char key[VDC_FS_KEY_LEN] = {};
  snprintf(uri, uri_size, "volatile:/dev/shm/vdc_mgr_sdb");
  status = sdb_open(uri, 1, 0, 0, 0);
  if (status != 0 && status != sdb_already_open) return false;
  key[0] = VDC_FS_KEY_TYPE;
  memcpy(&key[1], &vdc, sizeof vdc);
  sdb_key descriptor{key, VDC_FS_KEY_LEN};
  const sdb_data *data = sdb_read(uri, &descriptor, &status);
  if (status == sdb_no_record) {
    fs_sdb = empty_list();
    return false;
  }
  if (status != 0) {
    fs_sdb = nullptr;
    return false;
  }
  return keep_copy(data, copy);
}

// Rows for the records that pass the filters; the first row left unfilled ends the table.
size_t fill_rows(cmd_enum_entry *table, const fs_list_copy &copy, uint32_t records,
                 cmd_handle handle, uint16_t vdc, uint64_t mask) {
  size_t rows = 0;
  for (uint32_t i = 0; i < records; ++i) {
    unsigned char *record = copy.record(i);
    uint32_t id = 0;
    memcpy(&id, record, sizeof id);
    if (excluded(mask, id) || !supported(handle, vdc, id)) continue;
    table[rows++] = cmd_enum_entry{record_name(record), id, fs_help};
  }
  return rows;
}

cmd_enum_entry *fs_table_get(cmd_handle handle, uint32_t flags, uint64_t mask) {
  cmd_enum_entry *fallback = (flags & for_help) != 0 ? niltable : blanktable;
  if (g_cli_sup_state != 1) return fallback;
  uint16_t vdc = (flags & installed_sets) != 0 ? 0 : static_cast<uint16_t>(cmd_vdc_get());
  fs_list_copy copy{};
  if (!read_list(vdc, copy)) return fallback;
  uint32_t records = copy.whole_records();
  if (records == 0) return fallback;
  auto *table = static_cast<cmd_enum_entry *>(calloc(records + 1u, sizeof(cmd_enum_entry)));
  if (table == nullptr) return fallback;
  if (fill_rows(table, copy, records, handle, vdc, mask) == 0) {
    free(table);
    return fallback;
  }
  return table;
}

// Frees what the build left once the framework is done with the table.
void release(cmd_enum_entry *table) {
  free(fs_sdb);
  fs_sdb = nullptr;
  if (table != blanktable && table != niltable) free(table);
}

cmd_match_result *match_sets(cmd_handle handle, const char *word, uint32_t flags) {
  cmd_enum_entry *table = fs_table_get(handle, flags, 0);
  cmd_match_result *result = cmd_enum_match(handle, table, word, 0);
  release(table);
  return result;
}

int32_t offer_sets(cmd_handle handle, const char *word, uint32_t flags, uint64_t mask) {
  cmd_enum_entry *table = fs_table_get(handle, flags, mask);
  int32_t status = cmd_enum_help(handle, table, word);
  release(table);
  return status;
}

}  // namespace

extern "C" {

cmd_match_result *vdc_mgr_show_allowed_fs_match(cmd_handle handle, const char *word) {
  return match_sets(handle, word, 0);
}

cmd_match_result *vdc_mgr_show_installed_fs_match(cmd_handle handle, const char *word) {
  return match_sets(handle, word, installed_sets);
}

int32_t vdc_mgr_show_allowed_fs_help(cmd_handle handle, const char *word) {
  return offer_sets(handle, word, for_help, allowed_help_excluded);
}

int32_t vdc_mgr_show_installed_fs_help(cmd_handle handle, const char *word) {
  return offer_sets(handle, word, for_help | installed_sets, installed_help_excluded);
}
}
