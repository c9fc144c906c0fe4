/* Built against an installed tree, as the switch's shell is: the header's layout checks compile
 * in C, the program links by the SONAME and calls into the library. */
#include <stdio.h>
#include <zudoru_mgr_show.h>

int main(void) {
  printf("%s\n", __vdc_state_t_find(VDC_SUSPENDED));
  printf("%u\n", (unsigned)__vdc_type_t_str2enum("VDC_TYPE_DCE"));
  return 0;
}
