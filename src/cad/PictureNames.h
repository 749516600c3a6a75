#pragma once

// Resource names of the pictures that a drawing document embeds. Each distinct picture (its
// file's full path and what is embedded of it) gets a generated name, so that file names with
// blanks, brackets or Japanese characters never reach the content stream, and two files of the
// same name in different folders never share an image object.

#include <string>
#include <unordered_map>

namespace kyrovane {

class TCad_PictureNames {
 public:
  // The name of the picture with this key: "Im1", "Im2", ... in the order keys are first
  // asked for. A name stays with its key until Clear.
  std::string NameFor(const std::string& AKey);

  // Forgets every name; only when no open document uses them any more.
  void Clear() { names_.clear(); }

 private:
  std::unordered_map<std::string, std::string> names_;
};

}  // namespace kyrovane
