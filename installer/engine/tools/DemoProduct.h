#pragma once

#include <string>
#include <vector>

// A small product to install: its payload (stored and compressed members over archive parts), an INI
// entry, a registry value, a shortcut and the uninstaller, as a distribution folder with the engine
// beside its script, ready to start.
struct DemoProduct {
  std::string folder;    // the distribution folder; the engine runs from here
  std::string binFolder; // kxmain.exe, its language libraries, lzpunz2.dll and vaveza.exe
  std::string target;    // where the product goes
  std::string product = "Kx Demo";
  long partSize = 20000; // 0: one part
  int files = 4;
  long fileBytes = 12000;
  int shortcut = 1;
  int failAfterUninstaller = 0; // an event after the uninstaller is registered fails the run
  int uninstallerLast = 0;      // the uninstaller is registered after everything else, not first
  int withoutUninstaller = 0;   // the script registers none
  int failLast = 0;             // the last of the product's events fails the run
  int unattended = 1;
  int dialogMode = 2; // the uninstaller's dialog
  int appendLog = 0;
  int compress = 1; // half the files (the text ones) go in compressed

  // The payload's files as installed: target path and bytes. The last one is read-only and hidden.
  std::vector<std::pair<std::string, std::string>> payload;

  int make(std::string& error);
  std::string uninstallFolder() const { return target + "\\uninst"; }
  std::string iniFile() const { return target + "\\demo.ini"; }
  std::string registryKey() const { return "Software\\KxDemo\\" + product; }
};

// Starts a program (the engine, its helper) from its own folder, with `arguments` after its name, and
// waits up to `timeout` ms: its exit code, 0xFFFFFFFF when it could not start, 0xFFFFFFFE when it was
// ended at the time limit.
unsigned long RunProgram(const std::string& program, unsigned long timeout,
                         const std::string& arguments = "");
