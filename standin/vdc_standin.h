/* The stand-in platform for a C program that plays the switch's shell: a captured response of
 * the VDC manager, read from a response file, becomes the command in progress, with the
 * platform's answers the file gives (current VDC, interfaces, operator, ...) put in place.
 * The file's format is the one vdcsim --replay reads (zudoru_mgr_show(3), RESPONSE FILES).
 *
 * Link with -lvdc_standin (pkg-config vdc_standin, or the CMake target
 * zudoru_mgr_show::vdc_standin); the stand-in also defines every platform name the library
 * leaves undefined. */
#ifndef VDC_STANDIN_C_H
#define VDC_STANDIN_C_H

#include <stddef.h>

#include "zudoru_mgr_show.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct vdc_standin_response vdc_standin_response;

/* Reads the response file at `path` and puts its platform answers in place, replacing those
 * of any response read before. NULL when the file cannot be read or is malformed (or memory
 * runs out), with the reason in `error` (cut to `size` bytes, always terminated). */
vdc_standin_response *vdc_standin_response_read(const char *path, char *error, size_t size);

/* The exported name of the show handler the file names ("show_fcoe", ...). */
const char *vdc_standin_response_handler(const vdc_standin_response *response);

/* The command handle to give that handler; valid until the response is freed. */
cmd_handle vdc_standin_response_command(vdc_standin_response *response);

/* Frees a response; NULL is allowed. */
void vdc_standin_response_free(vdc_standin_response *response);

#ifdef __cplusplus
}
#endif

#endif /* VDC_STANDIN_C_H */
