#pragma once
// Test classes of one folder register themselves here; one executable per
// folder runs them all (see TestMain.cpp).

#include <QObject>
#include <functional>
#include <vector>

namespace kelvora::test {

std::vector<std::function<QObject*()>>& Testklassen();

template <class T>
struct Registrierung {
    Registrierung() { Testklassen().push_back([] { return new T; }); }
};

} // namespace kelvora::test

#define KELVORA_TEST(Klasse) static kelvora::test::Registrierung<Klasse> registrierung_##Klasse;
