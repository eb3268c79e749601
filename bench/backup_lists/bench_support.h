// The backup-library benchmarks' generated records, on top of the shared child-process
// timing and report sections of bench/support.
#pragma once
#include <string>

#include "bench/support/bench_support.h"

namespace bench {

// Record `i` of a generated run, shaped like what the engine reports.
inline void MakeRecord(long i, std::string& label, std::string& text) {
  static const char* const kLabels[] = {"Nouveau", "Modifi\xC3\xA9", "Compress\xC3\xA9", "Crypt\xC3\xA9"};
  static const char* const kRoots[] = {"C:/Users/jdupont/Documents/", "D:/Projets/Clients/Archives 2019/",
                                       "C:/Users/jdupont/Pictures/Vacances/", "D:/Comptabilite/Exercices/"};
  static const char* const kWords[] = {"rapport", "facture", "photo", "budget", "contrat", "notes"};
  label = kLabels[i % 4];
  text = kRoots[(i / 4) % 4];
  for (long d = 0, x = i; d < 1 + i % 3; ++d, x /= 6) {
    text += kWords[x % 6];
    text += ' ';
    text += std::to_string((i * 7919 + d) % 1000);
    text += '/';
  }
  text += "fichier_";
  text += std::to_string(i);
  text += ".odt";
}

}  // namespace bench
