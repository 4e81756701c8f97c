#include "calc/Engine.h"

Engine::Engine(Services& services) : services(services), DMPumpfield(&services) {
  RunProgress.services = &services;
}
