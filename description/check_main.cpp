// Build step: reads a form description and its skin the way the tool will, and fails the build on
// any error, so a broken description never ships. Prints errors as file:line:column for editors.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "form_model.h"
#include "skin/skin_data.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s DESCRIPTION STAMP\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  try {
    const description::Form form = description::ReadForm(text.str());
    for (const description::Component& component : form.components) {
      if (component.className == "TSkinData") skin::ReadSettings(component.object);
    }
  } catch (const description::Error& e) {
    std::fprintf(stderr, "%s:%d:%d: error: %s\n", argv[1], e.pos().line, e.pos().column,
                 e.message().c_str());
    return 1;
  }
  std::ofstream(argv[2]) << "checked\n";
  return 0;
}
