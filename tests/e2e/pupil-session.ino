#include "Arduino.h"

 

void setup() {
}

void loop() {
   
   for (int ik1=0;ik1<3;ik1++){
      delay(1000);
   }
   
}

