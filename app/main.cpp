#include "app/entry.h"

int main(int argc, char **argv)
{
    return orbisMain(argc, argv);
}
