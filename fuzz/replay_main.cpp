// Replays saved fuzzer inputs, so that every input once found becomes a regression test.
#include <cstdio>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size);

int main(int argc, char **argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    FILE *f = fopen(argv[i], "rb");
    if (f == nullptr) {
      fprintf(stderr, "cannot open %s\n", argv[i]);
      return 1;
    }
    std::vector<unsigned char> data;
    unsigned char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;)
      data.insert(data.end(), buf, buf + n);
    fclose(f);
    LLVMFuzzerTestOneInput(data.data(), data.size());
    ++replayed;
  }
  fprintf(stderr, "replayed %d inputs\n", replayed);
  return replayed == argc - 1 ? 0 : 1;
}
