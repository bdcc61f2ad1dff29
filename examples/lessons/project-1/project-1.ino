#include "Arduino.h"
#include "MVSonicSensor.h"
#include "Speaker.h"

MV_SonicSensor USonic_0;
Speaker Sound_1(8);
 

void setup() {
  USonic_0.setSonicParams(5,400,6,7);//min distance 5cm, check every 400ms
   USonic_0.init();
}

void loop() {
   
   while (1){
      if (USonic_0.distanceFront() < 10 ) {
         Sound_1.PlayTone(2000,100);
      }
      else {
      if (USonic_0.distanceFront() < 30 ) {
         Sound_1.PlayTone(1500,100);
         delay(400);
      }
      
      }
      
      delay(50);
   }
   
}

