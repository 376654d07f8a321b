/* The edge finder's header compiles as strict C99 and is callable from C. */
#include <stdio.h>

#include "cedge/cedge.h"

int main(void) {
    cedge_params params;
    cedge_profile profile;
    const unsigned char pixels[3] = {10, 10, 200};
    const cedge_image image = {pixels, sizeof pixels, 3, 1, 3, 8};
    const cedge_caliper caliper = {1.0, 0.0, 0.0, 2.0, 0.0};
    const char* name;
    int32_t status = cedge_params_init(&params);
    cedge_profile_construct(&profile);
    if (status == 0) status = cedge_project(&image, &caliper, 0u, &profile);
    name = cedge_statusName(status);
    printf("%s: %d samples\n", name != NULL ? name : "?", (int)profile.count);
    if (status == 0 && profile.count != 3) status = -1;
    cedge_profile_destruct(&profile);
    return status == 0 ? 0 : 1;
}
