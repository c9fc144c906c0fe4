/* The floor for vdcsim's measurements: reads a chassis file with libyaml's event parser,
 * every event and nothing built from them. Prints the number of events.
 *   usage: yaml_floor FILE */
#include <stdio.h>
#include <yaml.h>

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: yaml_floor FILE\n");
    return 2;
  }
  FILE *in = fopen(argv[1], "rb");
  if (in == NULL) {
    perror(argv[1]);
    return 1;
  }
  yaml_parser_t parser;
  yaml_parser_initialize(&parser);
  yaml_parser_set_input_file(&parser, in);
  unsigned long events = 0;
  int done = 0;
  while (!done) {
    yaml_event_t event;
    if (!yaml_parser_parse(&parser, &event)) {
      fprintf(stderr, "%s:%zu:%zu: %s\n", argv[1], parser.problem_mark.line + 1,
              parser.problem_mark.column + 1, parser.problem ? parser.problem : "cannot parse");
      break;
    }
    done = event.type == YAML_STREAM_END_EVENT;
    yaml_event_delete(&event);
    ++events;
  }
  int failed = !done;
  yaml_parser_delete(&parser);
  fclose(in);
  printf("%lu events\n", events);
  return failed;
}
