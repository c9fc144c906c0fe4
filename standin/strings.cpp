// Bounded string functions: they cut to the destination and always terminate it.
#include <cerrno>
#include <cstring>

#include "standin.h"

extern "C" {

int32_t strncpy_s(char *dst, size_t dst_size, const char *src, size_t count) {
  standin::log_call("strncpy_s(" + std::to_string(dst_size) + ", \"" +
                    std::string(src ? src : "") + "\", " + std::to_string(count) + ")");
  if (dst == nullptr || dst_size == 0) return EINVAL;
  if (src == nullptr) {
    dst[0] = '\0';
    return EINVAL;
  }
  size_t len = strnlen(src, count);
  bool cut = len >= dst_size;
  if (cut) len = dst_size - 1;
  std::memcpy(dst, src, len);
  dst[len] = '\0';
  return cut ? ERANGE : 0;
}

int32_t __strcat_s_to_buf(size_t dst_size, char *dst, size_t dst_size_again, const char *src) {
  standin::log_call("__strcat_s_to_buf(" + std::to_string(dst_size) + ", " +
                    std::to_string(dst_size_again) + ", \"" + std::string(src ? src : "") +
                    "\")");
  size_t size = dst_size < dst_size_again ? dst_size : dst_size_again;
  if (dst == nullptr || size == 0 || src == nullptr) return EINVAL;
  size_t used = strnlen(dst, size);
  if (used == size) {
    dst[size - 1] = '\0';
    return ERANGE;
  }
  size_t room = size - 1 - used;
  size_t len = std::strlen(src);
  bool cut = len > room;
  if (cut) len = room;
  std::memcpy(dst + used, src, len);
  dst[used + len] = '\0';
  return cut ? ERANGE : 0;
}

int32_t __memcpy_to_buf(size_t dst_size, void *dst, const void *src, size_t count) {
  standin::log_call("__memcpy_to_buf(" + std::to_string(dst_size) + ", " +
                    std::to_string(count) + ")");
  if (dst == nullptr || src == nullptr) return EINVAL;
  bool cut = count > dst_size;
  std::memcpy(dst, src, cut ? dst_size : count);
  return cut ? ERANGE : 0;
}

}  // extern "C"
