#include "Arduino.h"

 

void setup() {
  pinMode(13,OUTPUT);
}

void loop() {
   
   while (1){
      if ((digitalRead(2)==HIGH)) {
         for (int ik3=0;ik3<3;ik3++){
            digitalWrite(13,HIGH);
            delay(300);
            digitalWrite(13,LOW);
            delay(300);
         }
         
      }
      
   }
   
}

