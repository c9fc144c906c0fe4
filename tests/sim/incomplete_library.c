/* Exports two of the library's names and lacks every other. */
int show_vdc(void *handle) { return handle != 0; }
int show_vdc_mac(void *handle) { return handle != 0; }
