#include "Arduino.h"

 

void setup() {
  pinMode(14,INPUT);
}

void loop() {
   
   pinMode(13,OUTPUT);
   while (1){
      if (analogRead(14) > 700) { 
         digitalWrite(13,HIGH);
      }
      else {
      digitalWrite(13,LOW);
      }
      
   }
   
}

