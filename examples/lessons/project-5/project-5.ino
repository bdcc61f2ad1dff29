#include "Arduino.h"
#include "Speaker.h"

Speaker Sound_2(8);
 

void setup() {
  pinMode(12,OUTPUT);
  pinMode(13,OUTPUT);
}

void loop() {
   
   digitalWrite(12,HIGH);
   while (1){
      if (!(digitalRead(2)==HIGH)) {
         for (int ik3=0;ik3<5;ik3++){
            digitalWrite(13,HIGH);
            Sound_2.PlayTone(2500,200);
            digitalWrite(13,LOW);
            delay(200);
         }
         
      }
      
   }
   
}

