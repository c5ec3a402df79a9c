#pragma once
// The program's entry function: command line, single instance, working directory, host widget,
// hooks, first device check, event loop, orderly shutdown. Returns 0 after --help and
// --version, 2 for options it refuses, and 1 when another instance runs (which first receives
// this start's options).
int orbisMain(int argc, char **argv);
