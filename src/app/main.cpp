#include "app/CLumvexImgEdtApp.h"

int main(int argc, char** argv)
{
    return CLumvexImgEdtApp::Run(argc, argv);
}
