/* Asks the server named on the command line for a file and prints the
 * reply; exits with the client library's result. */
#include "client/jxrclient.h"
#include <stdio.h>

int main(int argc, char **argv)
{
    JxrRequest request;
    JxrOptions options = {argc > 1 ? argv[1] : NULL, JXR_TRANSPORT_AUTO, 30000};
    JxrReply reply;
    char error[256];
    JxrRequestInit(&request);
    request.initialDir = "C:\\windows";
    int result = JxrRunDialog(&request, &options, &reply, error, sizeof error);
    if (result == JXR_ERROR)
        fprintf(stderr, "consumer: %s\n", error);
    for (int i = 0; i < reply.count; ++i)
        printf("%s\n", reply.strings[i]);
    JxrReplyFree(&reply);
    return result;
}
