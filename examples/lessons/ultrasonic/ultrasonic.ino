#include "Arduino.h"
#include "MVSonicSensor.h"

MV_SonicSensor USonic_0;
 

void setup() {
  USonic_0.setSonicParams(5,400,6,7);//min distance 5cm, check every 400ms
   USonic_0.init();
}

void loop() {
   
   pinMode(13,OUTPUT);
   while (1){
      if (USonic_0.distanceFront() < 20 ) {
         digitalWrite(13,HIGH);
      }
      else {
      digitalWrite(13,LOW);
      }
      
      delay(100);
   }
   
}

