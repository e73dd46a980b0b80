#include "app/ApplicationServices.h"

#include "platform/Platform.h"

ApplicationServices DefaultApplicationServices() {
  ApplicationServices services;
  // The frame is shown by the platform's window, so switching it is the
  // swap chain's full-screen switch.
  services.enterFullscreen = [] { Sys().SetFullscreen(true); };
  return services;
}
