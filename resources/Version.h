// The release's version, for the version resources of Lumbra.exe and
// Update.exe and for the names of the release packages (scripts/package.sh).
// The build field is the build date YYMMDD, a year below 10 written without
// its zero: the updater reads it from the installed program's "FileVersion".
#ifndef LUMBRA_VERSION
#define LUMBRA_VERSION 1, 7, 60417, 1
#define LUMBRA_VERSION_TEXT "1, 7, 60417, 1"
#endif
