// Every QtTest class of the window tests registers here; main runs them all.
#pragma once

#include <QtTest>
#include <functional>
#include <vector>

using TSuite = std::function<int(int, char**)>;

inline std::vector<TSuite>& Suites() {
  static std::vector<TSuite> suites;
  return suites;
}

#define KORVEX_SUITE(Classe)                                   \
  static const bool Classe##_inscrite = (Suites().push_back([](int argc, char** argv) { \
    Classe suite;                                              \
    return QTest::qExec(&suite, argc, argv);                   \
  }), true)
