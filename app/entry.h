#pragma once
// The program's entry function: single instance, working directory, host widget, hooks, first
// device check, event loop, orderly shutdown. Returns 1 when another instance runs.
int orbisMain(int argc, char **argv);
