/* What a switch shell does with the library, in little: the VDC manager's response to a show
 * command is handed to the show handler the command names, which prints the display. Here the
 * response is a captured one, read from a file by the stand-in platform, which also plays the
 * rest of the switch software the library calls into.
 *
 *   usage: shell RESPONSE-FILE
 *   exit status: the handler's result is not a status; 0 once it has run, 1 when the file is
 *   refused or names no show handler, 2 on a usage error. */
#include <stdio.h>
#include <string.h>
#include <vdc_standin.h>
#include <zudoru_mgr_show.h>

typedef int32_t (*show_handler)(cmd_handle handle);

static const struct {
  const char *name;
  show_handler run;
} handlers[] = {
    {"show_vdc", show_vdc},
    {"show_vdc_detail", show_vdc_detail},
    {"show_vdc_detail2", show_vdc_detail2},
    {"show_vdc_membership", show_vdc_membership},
    {"show_vdc_membership_status", show_vdc_membership_status},
    {"show_vdc_fs", show_vdc_fs},
    {"show_vdc_mac", show_vdc_mac},
    {"show_vdc_dirtybit", show_vdc_dirtybit},
    {"show_vdc_mode", show_vdc_mode},
    {"show_vdc_internal", show_vdc_internal},
    {"show_fcoe", show_fcoe},
};

static show_handler handler_named(const char *name) {
  for (size_t i = 0; i < sizeof handlers / sizeof handlers[0]; ++i)
    if (strcmp(handlers[i].name, name) == 0) return handlers[i].run;
  return NULL;
}

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s RESPONSE-FILE\n", argv[0]);
    return 2;
  }
  char error[256];
  vdc_standin_response *response = vdc_standin_response_read(argv[1], error, sizeof error);
  if (response == NULL) {
    fprintf(stderr, "shell: %s\n", error);
    return 1;
  }
  const char *name = vdc_standin_response_handler(response);
  show_handler show = handler_named(name);
  if (show == NULL) {
    fprintf(stderr, "shell: %s: no show handler '%s'\n", argv[1], name);
    vdc_standin_response_free(response);
    return 1;
  }
  printf("zudoru_mgr_show %s, %s:\n", ZUDORU_MGR_SHOW_VERSION, name);
  show(vdc_standin_response_command(response));
  vdc_standin_response_free(response);
  return fflush(stdout) == 0 ? 0 : 1;
}
