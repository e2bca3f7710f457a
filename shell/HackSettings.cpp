#include "shell/HackSettings.h"

#include <cctype>

#include "view/SceneTable.h"

namespace {

std::string label(std::string name) {
  name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  return name;
}

}  // namespace

bool HackSettings::isSceneName(const std::string& name) { return SceneTable::find(name + ".psf") != nullptr; }

std::string HackSettings::usage(const std::string& defaultScenesDir) {
  std::string scenes;
  for (const std::string& name : SceneTable::names()) {
    scenes += name + ", ";
  }
  return "usage: ostrel [OPTION...]\n"
         "Draws one particle scene with OpenGL, in a window of its own, on the root window or in the\n"
         "window XScreenSaver gives it ($XSCREENSAVER_WINDOW), at that window's size.\n"
         "  -root             draw on the root window\n"
         "  -window-id ID     draw in the window ID (decimal or 0x hex)\n"
         "  -scene NAME       " + scenes + "or " + kRandomScene + " (the default:\n"
         "                    waterfall twice as often as each of the others)\n"
         "  -scene-file FILE  any scene file, its pictures beside it\n"
         "  -scenes-dir DIR   where the scenes lie (default: " + defaultScenesDir + ")\n"
         "  -fps              show the frame rate in a corner and print the run's on leaving\n"
         "  -seed S           the generator's seed (default: the time in seconds)\n"
         "  -delay US         microseconds from one frame to the next (default 16667: the 60 frames a\n"
         "                    second the scenes are made for; 0: as fast as the display draws)\n"
         "  -help             this text\n"
         "Each option may be written with one dash or two. In its own window a key press ends the\n"
         "run; SIGTERM, SIGINT and the window's destruction end it anywhere.\n";
}

std::string HackSettings::settingsXml() {
  std::string options = std::string("    <option id=\"") + kRandomScene + "\" _label=\"Random scene\"/>\n";
  for (const std::string& name : SceneTable::names()) {
    options += "    <option id=\"" + name + "\" _label=\"" + label(name) + "\" arg-set=\"--scene " + name + "\"/>\n";
  }
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
         "\n"
         "<screensaver name=\"ostrel\" _label=\"Ostrel\">\n"
         "\n"
         "  <command arg=\"--root\"/>\n"
         "\n"
         "  <select id=\"scene\">\n" +
         options +
         "  </select>\n"
         "\n"
         "  <boolean id=\"showfps\" _label=\"Show frame rate\" arg-set=\"--fps\"/>\n"
         "\n"
         "  <_description>\n"
         "Particle scenes drawn with OpenGL: each run shows one, chosen at random unless one is\n"
         "picked here. Every frame fades the one before, so the particles leave trails, while the\n"
         "camera circles the scene or stands still.\n"
         "  </_description>\n"
         "</screensaver>\n";
}

std::string HackSettings::manualSceneList() {
  std::string list;
  for (const std::string& name : SceneTable::names()) {
    list += (list.empty() ? "\\fB" : ", \\fB") + name + "\\fP";
  }
  return list;
}
