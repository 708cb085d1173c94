// The C entry points a host finds with dlopen/dlsym. Registration has no
// meaning on Linux; those entry points succeed and do nothing.
#include "engine/IQZdbEngine.h"

extern "C" {

__attribute__((visibility("default"))) void* QZdbsCreateEngine() {
  return new qzdbs::IQZdbEngine();  // the host owns it and gives it back to QZdbsDestroyEngine
}

__attribute__((visibility("default"))) void QZdbsDestroyEngine(void* engine) {
  delete static_cast<qzdbs::IQZdbEngine*>(engine);
}

__attribute__((visibility("default"))) const char* QZdbsEngineVersion() {
  return qzdbs::IQZdbEngine::kVersion;
}

__attribute__((visibility("default"))) long DllRegisterServer() {
  return 0;
}
__attribute__((visibility("default"))) long DllUnregisterServer() {
  return 0;
}
}
